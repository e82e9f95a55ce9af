#include "lumo/gdi_fonts.h"

#include "core/text/utf8.h"
#include "platform/win32/utf16.h"

namespace lumo {

gdi_fonts::gdi_fonts() : dc_(CreateCompatibleDC(nullptr)) {
    apply_scaling(dc_);
}

gdi_fonts::~gdi_fonts() {
    if (dc_) DeleteDC(dc_);
}

void gdi_fonts::set_dpi(UINT dpi) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    entries_.clear();  // widths are measured in the scaled mapping
    last_ = nullptr;
    apply_scaling(dc_);
}

void gdi_fonts::apply_scaling(HDC dc) const {
    if (!dc) return;
    if (dpi_ == 96) {
        SetMapMode(dc, MM_TEXT);
        return;
    }
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 96, 96, nullptr);
    SetViewportExtEx(dc, static_cast<int>(dpi_), static_cast<int>(dpi_), nullptr);
}

gdi_fonts::entry& gdi_fonts::find(const html::font_choice& font) {
    if (last_ && last_->choice == font) return *last_;
    for (const auto& e : entries_)
        if (e->choice == font) return *(last_ = e.get());
    auto e = std::make_unique<entry>();
    e->choice = font;
    e->font.reset(CreateFontW(-font.size, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                              font.italic ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, platform::widen(font.face).c_str()));
    const HGDIOBJ old = SelectObject(dc_, e->font.get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    e->extent = {tm.tmAscent, tm.tmDescent};
    INT widths[256] = {};
    if (GetCharWidth32W(dc_, 0, 255, widths)) {
        for (int i = 0; i < 256; ++i) e->narrow_widths[static_cast<std::size_t>(i)] = widths[i];
    }
    SelectObject(dc_, old);
    entries_.push_back(std::move(e));
    return *(last_ = entries_.back().get());
}

int gdi_fonts::width_of(entry& e, std::uint32_t cp) {
    if (cp < 256) return e.narrow_widths[cp];
    const auto it = e.other_widths.find(cp);
    if (it != e.other_widths.end()) return it->second;
    wchar_t units[2];
    int count = 1;
    if (cp >= 0x10000) {
        units[0] = static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(cp);
    }
    const HGDIOBJ old = SelectObject(dc_, e.font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc_, units, count, &size);
    SelectObject(dc_, old);
    e.other_widths.emplace(cp, size.cx);
    return size.cx;
}

html::font_extent gdi_fonts::extent(const html::font_choice& font) {
    return find(font).extent;
}

int gdi_fonts::text_width(const html::font_choice& font, std::string_view text) {
    entry& e = find(font);
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) {  // the common case, without decoding
            width += e.narrow_widths[c];
            ++pos;
        } else {
            width += width_of(e, text::next_code_point(text, pos));
        }
    }
    return width;
}

HFONT gdi_fonts::handle(const html::font_choice& font) {
    return find(font).font.get();
}

}  // namespace lumo
