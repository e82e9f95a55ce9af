// The text picture of a layout that the golden tests compare.
#include <cstdio>

#include "core/html/layout.h"

namespace html {
namespace {

std::string hex_color(rgb c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(c & 0xFFFFFF));
    return buffer;
}

const char* kind_name(fragment_kind k) {
    switch (k) {
        case fragment_kind::text: return "text";
        case fragment_kind::space: return "space";
        case fragment_kind::checkbox: return "checkbox";
        case fragment_kind::marker: return "marker";
        case fragment_kind::rule: return "rule";
        case fragment_kind::image: return "image";
    }
    return "?";
}

}  // namespace

std::string dump(const layout& l) {
    std::string out = "page width=" + std::to_string(l.width) +
                      " height=" + std::to_string(l.height) +
                      " background=" + hex_color(l.background) + "\n";
    for (std::size_t i = 0; i < l.fonts.size(); ++i) {
        const font_choice& f = l.fonts[i];
        out += "font " + std::to_string(i) + ": " + f.face + " " + std::to_string(f.size) +
               (f.bold ? " bold" : "") + (f.italic ? " italic" : "") + "\n";
    }
    for (std::size_t i = 0; i < l.styles.size(); ++i) {
        const text_style& s = l.styles[i];
        out += "style " + std::to_string(i) + ": font " + std::to_string(s.font) + " " +
               hex_color(s.color) + (s.underline ? " underline" : "") +
               (s.strike ? " strike" : "") + "\n";
    }
    for (const anchor& a : l.anchors)
        out += "anchor " + a.name + " y=" + std::to_string(a.y) + "\n";
    for (const line_box& line : l.lines) {
        out += "line y=" + std::to_string(line.y) + " h=" + std::to_string(line.height) +
               " base=" + std::to_string(line.baseline) + (line.hard_end ? " hard" : " wrap") +
               "\n";
        for (int k = line.first; k < line.first + line.count; ++k) {
            const fragment& f = l.fragments[static_cast<std::size_t>(k)];
            out += std::string("  ") + kind_name(f.kind) + " x=" + std::to_string(f.x) +
                   " w=" + std::to_string(f.width);
            if (f.kind == fragment_kind::checkbox || f.kind == fragment_kind::rule ||
                f.kind == fragment_kind::image)
                out += " top=" + std::to_string(f.top) + " h=" + std::to_string(f.height);
            else
                out += " s=" + std::to_string(f.style);
            if (f.link >= 0) out += " link=" + std::to_string(f.link);
            if (f.checkbox >= 0) out += " box=" + std::to_string(f.checkbox);
            if (f.kind == fragment_kind::text || f.kind == fragment_kind::marker)
                out += " \"" + std::string(l.text_of(f)) + "\"";
            out += "\n";
        }
    }
    return out;
}

}  // namespace html
