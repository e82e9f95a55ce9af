#pragma once
// A loaded page: its tree, the state of its check boxes and its current layout.
#include <string_view>
#include <vector>

#include "core/html/dom.h"
#include "core/html/font_metrics.h"
#include "core/html/layout.h"

namespace html {

struct document {
    dom tree;
    std::vector<bool> checks;  // what the user ticked, starting from the page's own state
    layout boxes;

    // Reads page bytes: UTF-8 when they are valid UTF-8, Windows-1252 otherwise.
    static document from_bytes(std::string_view bytes);
    void lay_out(int width, font_metrics& metrics) { boxes = html::lay_out(tree, width, metrics); }
    void toggle(int checkbox);
};

}  // namespace html
