#pragma once
// The faults every file operation must survive, one table row each: a read-only file, a
// read-only folder, a file another program holds open, a disk that fills up part-way, a link
// that leads out of the project and a path longer than 260 characters. They are made real
// where the system allows it (read-only marks, links, long paths, and under Windows a file
// held open without sharing) and through the platform's fault hook where it does not: the
// tests run with rights that a read-only folder does not stop, and no full disk is at hand.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "unit/test_support.h"

namespace testing_support {

enum class scenario {
    read_only_file,
    read_only_folder,
    held_open,
    disk_full,
    link_outside,
    long_path
};
const char* scenario_name(scenario s);

// The project is as it was, as the operation makes it, changed in exactly the files that the
// operation names, or either of the first and the third: a file held open stops a change
// before it begins where the system refuses to read it, and half-way where it does not.
enum class expect { before, after, partial, as_reported };

// Makes the test folder's content (the folder ends with a backslash).
using folder_maker = std::function<void(const std::string& folder)>;

struct fault_row {
    scenario fault;
    std::string where;  // the file or folder the fault hits, relative to the test folder
    expect outcome;
    std::string named;    // what the message must name, relative to the test folder ("" none)
    int good_writes = 0;  // disk_full: the writes that still succeed before the disk is full
    folder_maker prepare = nullptr;  // more content for this row alone
};

// A partial outcome names either the files that changed (all others are as they were) or the
// ones that could not be made (all others are as the operation makes them), by full path.
struct operation_result {
    std::string message;  // what the user is told
    std::vector<std::string> changed = {};
    std::vector<std::string> unchanged = {};
};

using operation = std::function<operation_result(const std::string& folder)>;

// Runs the operation once without faults to learn what it makes of the folder (it must then
// report success: success_message), then once per row in a fresh folder with the fault in
// place, and checks that nothing outside the folder changed, that no temporary file stayed,
// that the folder is before, after or changed exactly as reported, and that the message names
// what the row says.
// The success message may name the folder.
using success_text = std::function<std::string(const std::string& folder)>;
void run_fault_table(const std::vector<fault_row>& rows, const folder_maker& make,
                     const operation& op, const success_text& success);
inline void run_fault_table(const std::vector<fault_row>& rows, const folder_maker& make,
                            const operation& op, const std::string& success_message) {
    run_fault_table(rows, make, op,
                    [success_message](const std::string&) { return success_message; });
}

// Every file below a folder with its bytes, by relative path; a link is "-> link" and its
// target is not entered.
using tree = std::map<std::string, std::string>;
tree snapshot(const std::string& folder);

// Sets the platform's fault hook for the length of a scope.
class fault_hook_scope {
public:
    explicit fault_hook_scope(platform::fault_hook hook) {
        platform::set_fault_hook(std::move(hook));
    }
    ~fault_hook_scope() { platform::set_fault_hook(nullptr); }
    fault_hook_scope(const fault_hook_scope&) = delete;
    fault_hook_scope& operator=(const fault_hook_scope&) = delete;
};

}  // namespace testing_support
