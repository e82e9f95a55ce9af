#pragma once
// The Back history: five page slots, newest first, each a full path or empty.
#include <array>
#include <string>

namespace viewer {

class history {
public:
    static constexpr std::size_t kSlots = 5;

    // Slot 1 becomes the page; the others keep theirs.
    void set_first(const std::string& page) { slots_[0] = page; }
    // The page being left goes in front, the oldest drops out. A page already in front is not
    // put there twice, so Back never returns to the page it leaves.
    void remember(const std::string& page);
    // Takes slot 1 for Back and moves the rest forward (spaces around them removed).
    std::string take_newest();
    bool empty() const;  // slot 1 holds nothing but spaces
    const std::array<std::string, kSlots>& slots() const { return slots_; }

private:
    std::array<std::string, kSlots> slots_;
};

}  // namespace viewer
