#pragma once
// What the project harnesses share: a failed invariant aborts with a message (libFuzzer keeps
// the input), inputs cut into the files of a small project, and one scratch project folder
// per process, on a memory file system where there is one so that flushes cost nothing.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/assets/file_tree.h"
#include "core/xml/xml_scan.h"
#include "platform/platform.h"

namespace project_fuzzing {

[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
    std::string shown;
    for (char c : detail.substr(0, 4000)) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 || c == '\n') {
            shown += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            shown += hex;
        }
    }
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", what, shown.c_str());
    std::abort();
}

inline void check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) fail(what, detail);
}

// The pieces of an input between separators; a plain file is one piece.
inline std::vector<std::string> split(std::string_view input, std::string_view separator) {
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t at = input.find(separator);
        parts.emplace_back(input.substr(0, at));
        if (at == std::string_view::npos) return parts;
        input.remove_prefix(at + separator.size());
    }
}

// The separator between the files of an input.
inline constexpr std::string_view kSeparator = "\n=====\n";

inline std::uint64_t hash_of(std::string_view bytes) {
    std::uint64_t h = 1469598103934665603ull;
    for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

inline void remove_below(const std::string& folder) {
    std::vector<platform::dir_entry> entries;
    if (!platform::list_directory(folder, entries)) return;
    for (const platform::dir_entry& e : entries) {
        const std::string path = folder + "\\" + e.name;
        if (e.is_directory && !e.is_link) {
            remove_below(path);
            platform::remove_directory(path);
        } else if (e.is_directory) {
            platform::remove_directory(path);
        } else {
            platform::remove_file(path);
        }
    }
}

// This process's project folder (with a trailing backslash), emptied on each call.
inline const std::string& fresh_project() {
    // Never destroyed: the clean-up at exit still needs it.
    static const std::string* const folder = [] {
        const std::string base =
            platform::is_directory("/dev/shm") ? std::string("/dev/shm") : platform::temp_folder();
        auto* f = new std::string(base + "\\vx-fuzz-" + std::to_string(getpid()) + "\\");
        platform::make_directories(*f);
        std::atexit([] {
            const std::string& me = fresh_project();
            platform::remove_directory(me);
        });
        return f;
    }();
    remove_below(folder->substr(0, folder->size() - 1));
    return *folder;
}

inline void write(const std::string& folder, const std::string& relative, std::string_view bytes) {
    const std::string path = folder + relative;
    platform::make_directories(path.substr(0, path.find_last_of('\\')));
    platform::write_file(path, bytes);
}

// Every file below the folder with its bytes, by relative path.
inline std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> out;
    std::vector<assets::file_record> files;
    assets::list_files(folder, files);
    for (const assets::file_record& f : files) {
        std::string bytes;
        platform::read_file(f.path, bytes);
        out[f.path.substr(folder.size())] = std::move(bytes);
    }
    return out;
}

inline std::string read(const std::string& path) {
    std::string bytes;
    platform::read_file(path, bytes);
    return bytes;
}

// The comments of a text, in order.
inline std::vector<std::string> comments(std::string_view text) {
    std::vector<std::string> out;
    for (const xml::token& t : xml::scan(text))
        if (t.kind == xml::token_kind::comment)
            out.emplace_back(text.substr(t.begin, t.end - t.begin));
    return out;
}

}  // namespace project_fuzzing
