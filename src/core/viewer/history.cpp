#include "core/viewer/history.h"

#include "core/viewer/page_path.h"

namespace viewer {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

}  // namespace

void history::remember(const std::string& page) {
    if (trimmed(page).empty() || same_path(trimmed(slots_[0]), trimmed(page))) return;
    for (std::size_t i = kSlots - 1; i > 0; --i) slots_[i] = slots_[i - 1];
    slots_[0] = page;
}

std::string history::take_newest() {
    const std::string newest = slots_[0];
    for (std::size_t i = 0; i + 1 < kSlots; ++i) slots_[i] = trimmed(slots_[i + 1]);
    slots_[kSlots - 1].clear();
    return newest;
}

bool history::empty() const {
    return trimmed(slots_[0]).empty();
}

}  // namespace viewer
