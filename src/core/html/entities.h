#pragma once
// Character references: the named ones pages commonly use and every numeric form.
#include <cstddef>
#include <string>
#include <string_view>

namespace html {

// Decodes every character reference in text into UTF-8. A reference the engine does not know
// stays as written, as browsers leave it. In attribute values a legacy name without its
// semicolon followed by "=" or a letter stays as written (it is part of a query string).
std::string decode_entities(std::string_view text, bool in_attribute = false);

}  // namespace html
