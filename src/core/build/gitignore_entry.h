#pragma once
// The entry that keeps the compile batch out of the project's version control.
#include <optional>
#include <string>
#include <string_view>

namespace build {

// The .gitignore text extended by a line end, "# Apkwright compiling batch", a line end and
// "BuildAPK.bat"; nothing when the text already mentions "BuildAPK.bat". The line end is
// CR LF when the text holds any CR, LF otherwise.
std::optional<std::string> gitignore_with_compile_batch(std::string_view gitignore_text);

}  // namespace build
