#pragma once
// The timer that draws the scroll bar a moment after scrolling, shared by the page view's
// scrolling and its message handling.
#include <windows.h>

namespace lumo {

namespace html_view_timer {

constexpr UINT_PTR kScrollBar = 1;
constexpr UINT kScrollBarDelayMs = 40;

}  // namespace html_view_timer

}  // namespace lumo
