#pragma once
// The decisions behind the choice of a build's signing identity: reading it back from the
// project's BuildAPK.bat, judging the keystore dialog's entries and the alias check's output.
#include <string>
#include <string_view>

#include "core/build/compile_pipeline.h"

namespace build {

// What the project's BuildAPK.bat says about the signing identity.
enum class batch_identity_kind {
    absent,    // no batch, or one whose "copy" lines cannot be read (left as it is)
    vanished,  // it names a properties file or keystore that is gone: it can no longer work
    usable,
};
struct identity_from_batch {
    batch_identity_kind kind = batch_identity_kind::absent;
    signing_identity identity;
};
// Reads BuildAPK.bat in the project folder and the Ant properties file it names.
identity_from_batch read_identity_from_batch(const std::string& project_folder);

// The question asked when no batch tells the identity.
std::string keystore_question();

// The keystore dialog's headline for mode 0 (first request) and mode 1 (after a failed check).
std::string keystore_prompt(int mode);

enum class entry_verdict { accepted, empty, mismatch, unsafe };
struct entry_check {
    entry_verdict verdict = entry_verdict::accepted;
    std::string message;  // shown with the title "Keystore"
};
// The OK button's checks: both fields filled, the confirmation equal to the password, and
// values that can be handed to the tools intact.
entry_check check_keystore_entry(std::string_view alias, std::string_view password,
                                 std::string_view confirmation);

// What the "keytool -changealias" run on the throw-away copy says.
enum class alias_check { fits, does_not_fit, not_checked };
alias_check judge_alias_check(const run_outcome& outcome);
// The message for an alias check that could not run.
std::string alias_check_failed_message(const run_outcome& outcome);

// The per-user folder that holds the throw-away keystore copy and its temp.bat; the suffix
// keeps two programs of the same user apart.
std::string alias_check_folder(std::string_view temp_folder, std::string_view suffix);

}  // namespace build
