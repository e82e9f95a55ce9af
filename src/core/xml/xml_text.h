#pragma once
// Character data and attribute values as XML writes them, and back.
#include <string>
#include <string_view>

namespace xml {

// The text a value stands for: the five predefined entities and numeric references to valid
// characters replaced, CDATA sections taken as they are. Anything else (an unknown entity, a
// malformed reference) stays as written.
std::string decoded(std::string_view raw);

// The value written so that decoded() gives it back exactly: "&", "<" and ">" always, CR as a
// reference; in an attribute value (quote '"' or '\'') also that quote, tab and LF, which a
// parser would otherwise take for the end of the value or turn into spaces.
std::string escaped(std::string_view value, char quote = 0);

}  // namespace xml
