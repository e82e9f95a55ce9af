#pragma once
// Where the viewer window goes: the default size or the one asked for, centred on the screen,
// and never larger than the work area nor with its title bar above it.
#include "core/viewer/arguments.h"

namespace viewer {

inline constexpr int kDefaultWidth = 680;
inline constexpr int kDefaultHeight = 480;
inline constexpr int kMinimumSize = 100;

struct area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// screen: the whole primary screen; work: the part the task bar leaves free.
area initial_window(const arguments& args, const area& screen, const area& work);

}  // namespace viewer
