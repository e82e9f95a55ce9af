#pragma once
// A modal box or dialog enables its owner again when it closes, whatever state it found it in.
// An owner that a running command keeps disabled (so that no second command starts from it)
// must stay disabled between that command's boxes: this puts it back.
#include <windows.h>

namespace winui {

class keep_owner_disabled {
public:
    explicit keep_owner_disabled(HWND owner)
        : owner_(owner && !IsWindowEnabled(owner) ? owner : nullptr) {}
    ~keep_owner_disabled() {
        if (owner_) EnableWindow(owner_, FALSE);
    }
    keep_owner_disabled(const keep_owner_disabled&) = delete;
    keep_owner_disabled& operator=(const keep_owner_disabled&) = delete;

private:
    HWND owner_;
};

}  // namespace winui
