#pragma once
// Text inside the programs is UTF-8. Project files written by older tools may hold
// Windows-1252 bytes instead; such a value is shown decoded as Windows-1252 and its original
// bytes are kept until the user edits it.
#include <string>
#include <string_view>

namespace text {

bool is_valid_utf8(std::string_view bytes);
std::string cp1252_to_utf8(std::string_view bytes);
// What a control shows for a value read from a file.
std::string display_text(std::string_view stored_bytes);
// The bytes to store for what a control holds: the stored bytes when the user left the value
// as it was shown, the control's UTF-8 text otherwise.
std::string stored_text(std::string_view control_text, std::string_view stored_bytes);

}  // namespace text
