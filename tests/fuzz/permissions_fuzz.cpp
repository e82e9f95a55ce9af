// Regenerating the permission elements of arbitrary manifests. The input is the manifest; the
// choices tried are the one it grants, none, all, and a few drawn from the input.
#include <cstddef>
#include <cstdint>

#include "core/project/permission_block.h"
#include "core/project/permissions.h"
#include "project_fuzzing.h"
#include "../unit/permission_support.h"

using namespace project;
using namespace project_fuzzing;

namespace {

using testing_support::kept_by_permission_regeneration;

std::string shown(const permission_flags& flags) {
    std::string out;
    for (bool f : flags) out += f ? '1' : '0';
    return out;
}

void check_choice(const std::string& manifest, const permission_flags& choice) {
    bool placed = false;
    const std::string once = manifest_with_permissions(manifest, choice, &placed);
    if (!placed) {
        check(once == manifest, "a block with no place changes nothing", once);
        return;
    }
    check(granted_permissions(once) == choice, "the result grants the choice",
          shown(choice) + "\n" + once);
    check(manifest_with_permissions(once, choice) == once, "applying twice equals once", once);
    check(comments(once) == comments(manifest), "comments stay comments", once);
    check(kept_by_permission_regeneration(once) == kept_by_permission_regeneration(manifest),
          "nothing but permission elements and blanks changes", once);
    // Another choice and back gives the same elements, whatever the blanks.
    const std::uint64_t h = hash_of(manifest);
    if (h % 4 != 0) return;
    permission_flags other = choice;
    other[(h >> 8) % kPermissionCount] ^= true;
    bool again = false;
    const std::string back =
        manifest_with_permissions(manifest_with_permissions(once, other), choice, &again);
    if (again)
        check(kept_by_permission_regeneration(back) == kept_by_permission_regeneration(manifest),
              "no residue", back);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1 << 14) return 0;
    const std::string manifest(reinterpret_cast<const char*>(data), size);
    const permission_flags granted = granted_permissions(manifest);
    check(manifest_with_permissions(manifest, granted) == manifest,
          "applying the current choice changes nothing");

    // The choice it grants with one box flipped, and one of: none, all, drawn from the input.
    const std::uint64_t h = hash_of(manifest);
    permission_flags flipped = granted;
    flipped[(h >> 32) % kPermissionCount] ^= true;
    check_choice(manifest, flipped);
    permission_flags other{};
    for (int i = 0; i < kPermissionCount; ++i)
        other[i] = h % 3 == 1 || (h % 3 == 2 && (h >> i) & 1);
    check_choice(manifest, other);
    return 0;
}
