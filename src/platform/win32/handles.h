#pragma once
// Owners for the kernel handles the platform layer opens.
#include <windows.h>

#include <utility>

namespace platform {

class unique_file_handle {
public:
    explicit unique_file_handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~unique_file_handle() { reset(); }
    unique_file_handle(const unique_file_handle&) = delete;
    unique_file_handle& operator=(const unique_file_handle&) = delete;
    unique_file_handle(unique_file_handle&& o) noexcept
        : h_(std::exchange(o.h_, INVALID_HANDLE_VALUE)) {}
    unique_file_handle& operator=(unique_file_handle&& o) noexcept {
        if (this != &o) {
            reset();
            h_ = std::exchange(o.h_, INVALID_HANDLE_VALUE);
        }
        return *this;
    }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE release() { return std::exchange(h_, INVALID_HANDLE_VALUE); }
    void reset() {
        if (valid()) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

class unique_find_handle {
public:
    explicit unique_find_handle(HANDLE h) : h_(h) {}
    ~unique_find_handle() {
        if (valid()) FindClose(h_);
    }
    unique_find_handle(const unique_find_handle&) = delete;
    unique_find_handle& operator=(const unique_find_handle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE h_;
};

}  // namespace platform
