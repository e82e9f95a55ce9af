#include "core/html/document.h"

#include "core/html/parser.h"
#include "core/text/encoding.h"

namespace html {

document document::from_bytes(std::string_view bytes) {
    document d;
    if (text::is_valid_utf8(bytes))
        d.tree = parse(bytes);
    else
        d.tree = parse(text::cp1252_to_utf8(bytes));
    d.checks = d.tree.checkboxes;
    return d;
}

void document::toggle(int checkbox) {
    if (checkbox < 0 || checkbox >= static_cast<int>(checks.size())) return;
    checks[static_cast<std::size_t>(checkbox)] = !checks[static_cast<std::size_t>(checkbox)];
}

}  // namespace html
