#pragma once
// The build failure report: the compiler errors of a failed Ant build turned into an HTML page
// ("index.htm") with one numbered entry per error, each linked to a one-line batch file that
// opens the faulty source line in an editor.
#include <map>
#include <string>
#include <string_view>

namespace build {

// Which editor the link batch files start: the editor carried by the program ("SciTE.exe"
// beside it, opened at the line), or Notepad when none is carried (it opens the file only).
enum class report_editor { carried, notepad };

struct failure_report {
    bool produced = false;  // false: the log holds no compile section ending in a failure
    std::string index_htm;
    // "bat\N.bat" texts, in the console's code page as cmd.exe reads them: 0 is the whole log,
    // errors from 2; an entry whose file no batch file can name has none.
    std::map<int, std::string> link_batches;
    int line_count = 0;  // line breaks in the compiler's part of the log
};

// Builds the report from the bytes of "ant_log.txt" (UTF-8, or the system's code page the JDK
// writes in) and the project folder (with its trailing backslash). Text copied from the log is
// HTML-escaped; file paths match the project folder, or the short form the batch files named
// it by, ignoring letter case, as Windows does.
failure_report make_failure_report(std::string_view ant_log, std::string_view project_folder,
                                   report_editor editor);

// The batch line that opens a file in the editor; line_number empty opens it without a line.
// Carried editor: start SciTE.exe "<file>" -goto:<line>. Notepad: start notepad "<file>" --
// "start" lets the batch end at once so its console closes, the unquoted program name keeps
// "start" from taking the quoted path for a window title, and Notepad has no option to go to
// a line. "%" in the path is doubled, as in every batch file.
std::string editor_batch_line(report_editor editor, std::string_view file,
                              std::string_view line_number);

// The viewer's window height for a report: 24 pixels a line plus 200, at most 976.
int report_window_height(int line_count);

std::string escape_html(std::string_view text);

}  // namespace build
