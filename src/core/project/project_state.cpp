#include "core/project/project_state.h"

namespace project {

std::string capped(std::string_view value, std::size_t capacity) {
    if (value.size() <= capacity) return std::string(value);
    std::size_t cut = capacity;
    // Step back over UTF-8 continuation bytes so the cut never splits a character.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return std::string(value.substr(0, cut));
}

}  // namespace project
