#include "core/configurator/keystore_creation.h"

#include "core/build/batch_escaping.h"
#include "core/text/text_helpers.h"

namespace configurator {
namespace {

// A value inside the distinguished name: the characters that would end or split a part
// (and the escape character itself) are preceded by a backslash.
std::string name_value(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ',' || c == '+' || c == ';' || c == '<' || c == '>' || c == '\\' ||
            (c == '#' && i == 0))
            out += '\\';
        out += c;
    }
    return out;
}

std::string merged(const std::string& stored, const std::string& typed) {
    const std::string value = text::trim_spaces(typed);
    return value.empty() ? stored : value;
}

}  // namespace

owner_details sample_owner_details() {
    return {"Jane Sample", "Purchasing", "Orbel Works Inc.", "Palo Alto", "California", "CH"};
}

owner_details merge_owner_details(const owner_details& stored, const owner_details& typed) {
    return {merged(stored.full_name, typed.full_name),
            merged(stored.organisation_unit, typed.organisation_unit),
            merged(stored.organisation_name, typed.organisation_name),
            merged(stored.city, typed.city),
            merged(stored.state, typed.state),
            merged(stored.country_code, typed.country_code)};
}

std::string owner_details_problem(const owner_details& details) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"full name", &details.full_name},
        {"organization name", &details.organisation_name},
        {"organization unit", &details.organisation_unit},
        {"city / locality", &details.city},
        {"state / province", &details.state},
        {"country code", &details.country_code},
    };
    for (const auto& [label, value] : fields) {
        const std::string reason = build::unsafe_value_reason(*value);
        if (!reason.empty())
            return std::string("Your ") + label + " cannot contain " + reason + ".\r" +
                   "It is handed to keytool on a command line, where it would not arrive intact.";
    }
    return "";
}

std::string genkey_command(std::string_view file_name, std::string_view alias,
                           std::string_view password, const owner_details& details) {
    const std::string pass = build::program_argument(password);
    const std::string dname =
        "CN=" + name_value(details.full_name) + ", OU=" + name_value(details.organisation_unit) +
        ", O=" + name_value(details.organisation_name) + ", L=" + name_value(details.city) +
        ", S=" + name_value(details.state) + ", C=" + name_value(details.country_code);
    return "keytool -genkey -keyalg RSA -keystore " + build::program_argument(file_name) +
           " -alias " + build::program_argument(alias) + " -storepass " + pass + " -keypass " +
           pass + " -validity 10000 -dname " + build::program_argument(dname);
}

std::string list_key_command(std::string_view file_name, std::string_view alias,
                             std::string_view password) {
    return "keytool -list -v -keystore " + build::program_argument(file_name) + " -alias " +
           build::program_argument(alias) + " -storepass " + build::program_argument(password);
}

std::string certificate_sha256(std::string_view keytool_output) {
    for (const std::string& raw : text::split_lines(keytool_output)) {
        const std::string line = text::trim_whitespace(raw);
        if (line.rfind("SHA256:", 0) != 0) continue;
        std::string hex = text::to_upper_ascii(text::trim_whitespace(line.substr(7)));
        return hex.size() == 95 ? hex : "";  // 32 bytes, two digits each, 31 colons
    }
    return "";
}

std::string keep_keystore_safe_text(std::string_view path, std::string_view sha256) {
    std::string text = "Your keystore:\r" + std::string(path) + "\r";
    if (!sha256.empty()) text += "Certificate SHA-256: " + std::string(sha256) + "\r";
    return text +
           "\rKeep a copy of this keystore and of its password somewhere safe. Every update of "
           "your app must be signed with it: if either is lost, the app can never be updated "
           "on the phones that have it.\r\rOpen the keystore's folder now ?";
}

split_path split_keystore_path(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) return {"", std::string(path)};
    return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

std::string replace_question(std::string_view path) {
    return std::string(path) + "\rA file with this name already exists. Replace ?";
}

std::string creation_failed_text(std::string_view path, std::string_view output) {
    return "There was a problem while attempting to create your keystore:\r\"" + std::string(path) +
           "\"\r" + std::string(output);
}

std::string replace_failed_text(std::string_view path, std::string_view kept_as) {
    return std::string(path) + "\rThis file cannot be replaced: it is in use or protected." +
           "\rYour new keystore is kept as " + std::string(kept_as);
}

}  // namespace configurator
