#pragma once
// What a click on a link does: close the viewer, show a page or picture in the window, scroll
// within the page, or hand the target to the Windows shell.
#include <string>
#include <string_view>

namespace viewer {

enum class link_action {
    quit,     // ".quit": the viewer closes
    show,     // a page or picture, shown in the window
    in_page,  // "#name": scroll to that anchor of the page shown
    shell,    // everything else: batch files, programs, documents, web addresses
};

// The text from the last dot of the target's path to its end, dot included ("" without one).
// An anchor after "#" is not part of it.
std::string link_extension(std::string_view target);
// Extensions are compared as written: "page.HTM" goes to the shell.
link_action classify_link(std::string_view target);

}  // namespace viewer
