#pragma once
// What the layout needs to know about fonts, and nothing more: how wide a run of text is and
// how far a font reaches above and below its baseline. Windows answers with GDI; the tests
// answer with fixed_font_metrics.
#include <string>
#include <string_view>

namespace html {

struct font_choice {
    std::string face = "Times New Roman";
    int size = 16;  // character height in pixels
    bool bold = false;
    bool italic = false;
    bool operator==(const font_choice&) const = default;
};

struct font_extent {
    int ascent = 0;
    int descent = 0;
};

class font_metrics {
public:
    virtual ~font_metrics() = default;
    virtual font_extent extent(const font_choice& font) = 0;
    // Advance width of the UTF-8 text in pixels.
    virtual int text_width(const font_choice& font, std::string_view text) = 0;
};

// Deterministic metrics for tests and benchmarks: every character is half the font size wide
// (one pixel more in bold), the ascent is four fifths of the size.
class fixed_font_metrics final : public font_metrics {
public:
    font_extent extent(const font_choice& font) override;
    int text_width(const font_choice& font, std::string_view text) override;
};

}  // namespace html
