#pragma once
// Waits of a window's thread: it keeps serving its window messages while it waits, so its
// windows stay painted and answer other programs.
#include <windows.h>

namespace winui {

// Waits for a handle; false when the optional second handle (a cancel event) was signalled
// first.
bool wait_serving_messages(HANDLE handle, HANDLE cancel_event = nullptr);
// Waits for the first of up to three handles; its index, or WAIT_FAILED.
DWORD wait_any_serving_messages(const HANDLE* handles, DWORD count);

}  // namespace winui
