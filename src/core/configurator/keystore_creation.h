#pragma once
// Creating a keystore with the JDK's keytool: the owner's details that make up the key's
// distinguished name, the "keytool -genkey" command line and the texts around it.
#include <string>
#include <string_view>

namespace configurator {

// The parts of the distinguished name, kept for the whole run (empty at start).
struct owner_details {
    std::string full_name;          // CN
    std::string organisation_unit;  // OU
    std::string organisation_name;  // O
    std::string city;               // L
    std::string state;              // S
    std::string country_code;       // C
};

// The details dialog's sample values, shown every time it opens.
owner_details sample_owner_details();

// What the details dialog's "OK" keeps: each typed value trimmed of spaces; a non-empty one
// replaces the stored detail, an empty one leaves it as it was.
owner_details merge_owner_details(const owner_details& stored, const owner_details& typed);

// Why the details cannot be handed to keytool, or "" when they can (a double quote or a
// control character in a value). Lines are separated by carriage returns.
std::string owner_details_problem(const owner_details& details);

// "keytool -genkey -keyalg RSA -keystore FILE -alias A -storepass P -keypass P
// -validity 10000 -dname "CN=..., OU=..., O=..., L=..., S=..., C=..."", run in the keystore's
// folder. File name, alias and password appear as typed unless they need quoting; characters
// the name syntax reserves are escaped with a backslash inside the name's values.
std::string genkey_command(std::string_view file_name, std::string_view alias,
                           std::string_view password, const owner_details& details);

// "keytool -list -v -keystore FILE -alias A -storepass P": prints the key's certificate with
// its fingerprints, run in the keystore's folder.
std::string list_key_command(std::string_view file_name, std::string_view alias,
                             std::string_view password);
// The SHA-256 fingerprint keytool printed ("SHA256: AB:CD:..."), upper-case hex with colons;
// "" when it printed none.
std::string certificate_sha256(std::string_view keytool_output);
// Said once, after a keystore is created: its fingerprint (when known) and why it must be kept
// safe; asks whether to open its folder.
std::string keep_keystore_safe_text(std::string_view path, std::string_view sha256);

// The chosen keystore path split at its last backslash: the folder (with that backslash) and
// the file name.
struct split_path {
    std::string folder;
    std::string file_name;
};
split_path split_keystore_path(std::string_view path);

// The texts of keystore creation.
std::string replace_question(std::string_view path);  // the Yes/No question for an existing file
inline constexpr std::string_view kCreationCancelled = "Creation cancelled by user";
inline constexpr std::string_view kKeystoreCreated = "Your keystore has been successfuly created";
// keytool made no usable keystore at the path; output is what it said.
std::string creation_failed_text(std::string_view path, std::string_view output);
// The old keystore could not be moved aside (in use or protected): the new one is kept apart.
std::string replace_failed_text(std::string_view path, std::string_view kept_as);

}  // namespace configurator
