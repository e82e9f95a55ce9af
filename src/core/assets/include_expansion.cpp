#include "core/assets/include_expansion.h"

#include <algorithm>

#include "core/text/text_helpers.h"

namespace assets {
namespace {

// Deeper chains than this are taken for a loop through linked folders, which the chain check
// cannot see because every turn gives the path a new spelling.
constexpr std::size_t kMaxIncludeDepth = 64;

// One spelling per file for the chain check: "/" as "\", "." and ".." resolved, letters
// folded (Windows names ignore their case).
std::string file_key(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    const auto flush = [&] {
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else
                parts.push_back(part);
        } else if (part != "." && !(part.empty() && !parts.empty())) {
            parts.push_back(part);
        }
        part.clear();
    };
    for (char c : path) {
        if (c == '\\' || c == '/')
            flush();
        else
            part.push_back(c);
    }
    flush();
    std::string key;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) key.push_back('\\');
        key += parts[i];
    }
    return text::to_lower_ascii(key);
}

void note(std::vector<std::string>& list, const std::string& path) {
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

class expander {
public:
    explicit expander(include_problems* problems) : problems_(problems) {}

    void expand(const std::string& path, std::string& out) {
        std::string bytes;
        if (!text::read_whole_file(path, bytes)) {
            out.push_back('\n');  // an unreadable file counts as one empty line
            if (problems_ && !chain_.empty()) note(problems_->missing, path);
            return;
        }
        chain_.push_back(file_key(path));
        const std::size_t cut = path.find_last_of('\\');
        const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
        for (const std::string& line : text::split_lines(bytes)) {
            const std::string name = include_target(line);
            if (name.empty()) {
                out += text::trim_spaces(line);
            } else {
                const std::string included = folder + name;
                if (on_chain(included)) {
                    out.push_back('\n');  // the same empty block as a missing file
                    if (problems_) note(problems_->cyclic, included);
                } else {
                    expand(included, out);
                }
            }
            out.push_back('\n');
        }
        chain_.pop_back();
    }

private:
    bool on_chain(const std::string& path) const {
        if (chain_.size() >= kMaxIncludeDepth) return true;
        return std::find(chain_.begin(), chain_.end(), file_key(path)) != chain_.end();
    }

    include_problems* problems_;
    std::vector<std::string> chain_;
};

}  // namespace

std::string include_target(const std::string& line) {
    const std::string probe = text::trim_whitespace(line);
    if (probe.size() <= 8 || text::to_lower_ascii(probe.substr(0, 8)) != "include ") return "";
    std::string name = text::trim_spaces(probe.substr(8));
    // A quoted name is the usual BASIC! spelling; no file name can hold a double quote.
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = text::trim_spaces(name.substr(1, name.size() - 2));
    std::replace(name.begin(), name.end(), '/', '\\');
    return name;
}

std::string expand_includes(const std::string& path, include_problems* problems) {
    std::string out;
    expander(problems).expand(path, out);
    return out;
}

std::string update_done_message(const include_problems& problems) {
    if (problems.empty()) return "Done !";
    std::string text = "The program has been written, but these included files were left out:";
    for (const std::string& path : problems.missing) text += "\r- not found: \"" + path + "\"";
    for (const std::string& path : problems.cyclic)
        text += "\r- included in itself: \"" + path + "\"";
    return text;
}

}  // namespace assets
