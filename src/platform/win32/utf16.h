#pragma once
// The single conversion point between the programs' UTF-8 text and the W API's UTF-16.
#include <string>
#include <string_view>

namespace platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace platform
