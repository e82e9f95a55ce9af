#pragma once
// Scratch folders and fixture paths shared by the unit tests (native and under Wine).
#include <string>
#include <string_view>

namespace testing_support {

// A fresh folder below the temporary folder, removed with all its content at the end.
class scratch_folder {
public:
    scratch_folder();
    ~scratch_folder();
    scratch_folder(const scratch_folder&) = delete;
    scratch_folder& operator=(const scratch_folder&) = delete;
    // The folder with one trailing backslash.
    const std::string& path() const { return path_; }
    // Writes a file below the folder (creating its folders) and returns its full path.
    std::string write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;

private:
    std::string path_;
};

std::string fixture(std::string_view relative);  // full path of a file under tests/fixtures
// Copies a fixture folder into a scratch folder; returns the copy's path with a backslash.
std::string copy_fixture(std::string_view fixture_folder, const scratch_folder& into);
void remove_tree(const std::string& folder);
std::string without_trailing(const std::string& folder);  // drops one trailing backslash
void copy_tree(const std::string& from, const std::string& to);
// A symbolic link named link_path to the file or folder target; false when the system refuses
// to make one (the test then says so).
bool make_link(const std::string& target, const std::string& link_path);
// Removes a link made by make_link (its target stays).
void remove_link(const std::string& link_path);
// Whether the platform layer can remove a folder link made by make_link: everywhere but under
// Wine, whose file calls cannot remove the host's link it shows.
bool folder_links_removable();
// Hides a file or folder (on POSIX, names starting with "." are hidden already).
void make_hidden(const std::string& path);
// Marks a file read-only, or writable again.
void set_read_only(const std::string& path, bool read_only);
// The names in a folder that end in ".vxtmp": temporary files left behind.
int leftover_temporaries(const std::string& folder);

}  // namespace testing_support
