#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

#include "platform/platform.h"

namespace fuzz {
namespace {

void remove_tree(const std::string& folder) {
    std::vector<platform::dir_entry> entries;
    if (platform::list_directory(folder, entries)) {
        for (const platform::dir_entry& e : entries) {
            const std::string path = folder + "\\" + e.name;
            if (e.is_directory && !e.is_link)
                remove_tree(path);
            else if (e.is_directory)
                platform::remove_directory(path);
            else
                platform::remove_file(path);
        }
    }
    platform::remove_directory(folder);
}

std::string& scratch_root() {
    static std::string root;
    return root;
}

void remove_scratch_root() {
    if (!scratch_root().empty()) remove_tree(scratch_root());
}

}  // namespace

void fail(const char* what, std::string_view detail) {
    std::fprintf(stderr, "\nINVARIANT BROKEN: %s\n", what);
    if (!detail.empty()) {
        const std::string shown(detail.substr(0, 2000));
        std::fprintf(stderr, "  detail: %s\n", shown.c_str());
    }
    std::abort();
}

std::vector<std::string_view> split(std::string_view input, std::string_view separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const std::size_t at = input.find(separator);
        if (at == std::string_view::npos) break;
        pieces.push_back(input.substr(0, at));
        input.remove_prefix(at + separator.size());
    }
    pieces.push_back(input);
    return pieces;
}

const std::string& fresh_scratch_folder() {
    static std::string folder;
    if (folder.empty()) {
        // The harnesses run natively only, so the process id may name the folder.
        scratch_root() = platform::temp_folder() + "\\vexlo-fuzz-" + std::to_string(getpid());
        folder = scratch_root() + "\\";
        std::atexit(remove_scratch_root);
    } else {
        remove_tree(scratch_root());
    }
    platform::make_directories(scratch_root());
    return folder;
}

}  // namespace fuzz
