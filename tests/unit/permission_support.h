#pragma once
// What a regeneration of the permission block may never change: the text without its table
// permission elements and without any blank.
#include <algorithm>
#include <string>

#include "core/project/permissions.h"

namespace testing_support {

inline std::string kept_by_permission_regeneration(const std::string& text) {
    std::string out;
    std::size_t copied = 0;
    for (const project::permission_element& e : project::permission_elements(text)) {
        out.append(text, copied, e.begin - copied);
        copied = e.end;
        if (e.separate_end_tag) {
            out.append(text, copied, e.end_tag_begin - copied);
            copied = e.end_tag_end;
        }
    }
    out.append(text, copied, std::string::npos);
    std::erase_if(out, [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
    return out;
}

}  // namespace testing_support
