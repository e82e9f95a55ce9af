#include "core/assets/include_expansion.h"

#include <algorithm>

#include "core/assets/project_paths.h"
#include "core/text/text_helpers.h"
#include "platform/platform.h"

namespace assets {
namespace {

// One spelling per file for the chain check: "/" as "\", "." and ".." resolved, letters
// folded (Windows names ignore their case), and trailing dots and spaces of each name dropped
// (Windows opens "main.bas." as "main.bas").
std::string file_key(const std::string& path) {
    const std::string key =
        rejoined_path(path, [](std::string& part, std::vector<std::string>& parts) {
            if (part != "." && part != "..")
                while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
            if (part == "..") {
                if (!parts.empty() && parts.back() != "..")
                    parts.pop_back();
                else
                    parts.push_back(part);
            } else if (part != "." && !(part.empty() && !parts.empty())) {
                parts.push_back(part);
            }
        });
    return text::to_lower_ascii(key);
}

void note(std::vector<std::string>& list, const std::string& path) {
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
}

// The file system would open a name cut at its first NUL, which the chain check would not
// recognise; such a name is reported with the NUL shown as "?" and read as no file.
bool holds_nul(const std::string& path) {
    return path.find('\0') != std::string::npos;
}

std::string shown(std::string path) {
    std::replace(path.begin(), path.end(), '\0', '?');
    return path;
}

class expander {
public:
    explicit expander(include_problems* problems) : problems_(problems) {}

    // False once a bound ended the merged program: nothing more is added then.
    bool expand(const std::string& path, std::string& out) {
        std::string bytes;
        if (holds_nul(path) || !platform::read_file(path, bytes)) {
            if (problems_ && !chain_.empty()) note(problems_->missing, shown(path));
            return add(out, "", path);  // an unreadable file counts as one empty line
        }
        chain_.push_back(file_key(path));
        const std::size_t cut = path.find_last_of('\\');
        const std::string folder = cut == std::string::npos ? "" : path.substr(0, cut + 1);
        bool going = true;
        for (const std::string& line : text::split_lines(bytes)) {
            const std::string name = include_target(line);
            if (name.empty()) {
                going = add(out, text::trim_spaces(line), path);
            } else {
                going = include(folder + name, path, out) && add(out, "", path);
            }
            if (!going) break;
        }
        chain_.pop_back();
        return going;
    }

private:
    // The included file's text, or the empty block when it is on the chain or too deep.
    bool include(const std::string& included, const std::string& from, std::string& out) {
        if (++included_ > kMaxIncludedFiles) return stop(from);
        std::vector<std::string>* list = nullptr;
        if (chain_.size() >= kMaxIncludeDepth)
            list = problems_ ? &problems_->too_deep : nullptr;
        else if (std::find(chain_.begin(), chain_.end(), file_key(included)) != chain_.end())
            list = problems_ ? &problems_->cyclic : nullptr;
        else
            return expand(included, out);
        if (list) note(*list, shown(included));
        return add(out, "", from);  // the same empty block as a missing file
    }

    // One line and its LF, unless that would pass the size bound.
    bool add(std::string& out, const std::string& line, const std::string& from) {
        if (out.size() + line.size() + 1 > kMaxMergedBytes) return stop(from);
        out += line;
        out.push_back('\n');
        return true;
    }

    bool stop(const std::string& from) {
        if (problems_ && problems_->cut_at.empty()) problems_->cut_at = shown(from);
        return false;
    }

    include_problems* problems_;
    std::vector<std::string> chain_;
    std::size_t included_ = 0;
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
    for (const std::string& path : problems.too_deep)
        text += "\r- nested more than " + std::to_string(kMaxIncludeDepth) +
                " files deep (a folder linked into itself?): \"" + path + "\"";
    if (!problems.cut_at.empty())
        text += "\r- everything from \"" + problems.cut_at + "\" on: the merged program " +
                "would pass " + std::to_string(kMaxIncludedFiles) + " includes or " +
                std::to_string(kMaxMergedBytes >> 20) + " MB";
    return text;
}

}  // namespace assets
