#include "core/html/font_metrics.h"

#include <algorithm>
#include <climits>
#include "core/text/utf8.h"

namespace html {

font_extent fixed_font_metrics::extent(const font_choice& font) {
    const int ascent = (font.size * 4 + 2) / 5;
    return {ascent, font.size - ascent};
}

int fixed_font_metrics::text_width(const font_choice& font, std::string_view text) {
    long long characters = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        text::next_code_point(text, pos);
        ++characters;
    }
    const long long width = characters * (font.size / 2 + (font.bold ? 1 : 0));
    return static_cast<int>(std::min<long long>(width, INT_MAX));  // a run of many megabytes
}

}  // namespace html
