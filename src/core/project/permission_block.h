#pragma once
// Regenerating the manifest's permission elements from the user's choice.
#include <string>
#include <string_view>

#include "core/project/project_state.h"

namespace project {

// The manifest with the elements of the table permissions replaced by the block of lines for
// the chosen ones, in table order. A manifest that already grants exactly the choice comes back
// unchanged. Only the table elements (with their lines when they stand alone on them) go;
// everything else stays byte for byte, comments included. The block goes where the first
// removed element stood, or, when there was none, on the line after the manifest start tag
// (after any comment that follows the tag on its line). placed is false, and the manifest comes
// back unchanged, when the block has no safe place (no manifest start tag, or a text so
// malformed that the result would not read back as the choice).
std::string manifest_with_permissions(std::string_view manifest, const permission_flags& chosen,
                                      bool* placed = nullptr);

}  // namespace project
