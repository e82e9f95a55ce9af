#pragma once
// The engine's fonts on GDI: one HFONT per font the page uses, with its character widths kept
// so that laying out a long report measures words without a GDI call per word.
#include <windows.h>

#include <array>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/html/font_metrics.h"
#include "winui/gdi_handles.h"

namespace lumo {

class gdi_fonts final : public html::font_metrics {
public:
    gdi_fonts();
    ~gdi_fonts() override;
    gdi_fonts(const gdi_fonts&) = delete;
    gdi_fonts& operator=(const gdi_fonts&) = delete;

    // Pages are laid out in pixels at 96 DPI; on another DPI fonts and drawing are scaled.
    void set_dpi(UINT dpi);
    UINT dpi() const { return dpi_; }
    // Sets a device context to the same scaling as the measurements.
    void apply_scaling(HDC dc) const;

    html::font_extent extent(const html::font_choice& font) override;
    int text_width(const html::font_choice& font, std::string_view text) override;
    HFONT handle(const html::font_choice& font);

private:
    struct entry {
        html::font_choice choice;
        winui::unique_font font;
        html::font_extent extent;
        std::array<int, 256> narrow_widths{};  // U+0000 to U+00FF
        std::unordered_map<std::uint32_t, int> other_widths;
    };
    entry& find(const html::font_choice& font);
    int width_of(entry& e, std::uint32_t code_point);

    HDC dc_ = nullptr;  // a memory DC to measure in
    UINT dpi_ = 96;
    std::vector<std::unique_ptr<entry>> entries_;
    entry* last_ = nullptr;
};

}  // namespace lumo
