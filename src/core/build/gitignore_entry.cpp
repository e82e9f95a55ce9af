#include "core/build/gitignore_entry.h"

#include "core/build/compile_batch_text.h"

namespace build {

std::optional<std::string> gitignore_with_compile_batch(std::string_view gitignore_text) {
    if (gitignore_text.find(kCompileBatchName) != std::string_view::npos) return std::nullopt;
    const std::string_view eol =
        gitignore_text.find('\r') != std::string_view::npos ? "\r\n" : "\n";
    std::string out(gitignore_text);
    out.append(eol);
    out.append("# Apkwright compiling batch");
    out.append(eol);
    out.append(kCompileBatchName);
    return out;
}

}  // namespace build
