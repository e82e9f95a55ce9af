#include "core/viewer/notice.h"

namespace viewer {

std::string missing_page_html(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '<')
            escaped += "&lt;";
        else if (c == '>')
            escaped += "&gt;";
        else
            escaped += c;
    }
    return "<html><body><p>Can't locate file: " + escaped + "</p></body></html>";
}

}  // namespace viewer
