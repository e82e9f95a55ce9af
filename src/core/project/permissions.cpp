#include "core/project/permissions.h"

#include "core/text/text_helpers.h"
#include "core/xml/xml_scan.h"
#include "core/xml/xml_text.h"

namespace project {

const std::vector<std::string>& permission_table() {
    static const std::vector<std::string> table = {"00.WRITE_EXTERNAL_STORAGE",
                                                   "01.INTERNET",
                                                   "02.ACCESS_COARSE_LOCATION",
                                                   "03.ACCESS_MOCK_LOCATION",
                                                   "04.ACCESS_FINE_LOCATION",
                                                   "05.ACCESS_LOCATION_EXTRA_COMMANDS",
                                                   "06.VIBRATE",
                                                   "07.WAKE_LOCK",
                                                   "08.CAMERA",
                                                   "09.BLUETOOTH",
                                                   "10.BLUETOOTH_ADMIN",
                                                   "11.RECORD_AUDIO",
                                                   "12.READ_PHONE_STATE",
                                                   "13.READ_SMS",
                                                   "14.SEND_SMS",
                                                   "15.RECEIVE_SMS",
                                                   "16.CALL_PHONE",
                                                   "17.ACCESS_NETWORK_STATE",
                                                   "18.DUMP",
                                                   "19.ACCESS_WIFI_STATE",
                                                   "20.CHANGE_WIFI_STATE"};
    return table;
}

const std::vector<std::string>& permission_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const std::string& row : permission_table()) out.push_back(row.substr(3));
        return out;
    }();
    return names;
}

std::string permission_display_name(int row) {
    if (row < 0 || row >= static_cast<int>(permission_names().size())) return "";
    std::string name = text::to_lower_ascii(permission_names()[row]);
    for (char& c : name)
        if (c == '_') c = ' ';
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = char(name[0] - 'a' + 'A');
    return name;
}

std::string uses_permission_line(int row) {
    if (row < 0 || row >= static_cast<int>(permission_names().size())) return "";
    const bool short_form = row == 0 || row == 17 || row == 18;
    std::string line =
        "     <uses-permission android:name=\"android.permission." + permission_names()[row] + "\"";
    line += short_form ? " />" : " android:required=\"false\"></uses-permission>";
    return line;
}

std::vector<permission_element> permission_elements(std::string_view manifest_text) {
    std::vector<permission_element> found;
    const std::vector<xml::token> tokens = xml::scan(manifest_text);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const xml::token& t = tokens[i];
        if (t.kind != xml::token_kind::start_tag || !t.closed ||
            !text::iequals_ascii(t.name, "uses-permission"))
            continue;
        const xml::attribute* name = xml::find_attribute(t, "android:name");
        if (!name || !name->has_value) continue;
        const std::string value = text::to_upper_ascii(xml::decoded(
            manifest_text.substr(name->value_begin, name->value_end - name->value_begin)));
        static constexpr std::string_view kPrefix = "ANDROID.PERMISSION.";
        if (value.compare(0, kPrefix.size(), kPrefix) != 0) continue;
        int row = -1;
        for (int r = 0; r < kPermissionCount; ++r)
            if (value.compare(kPrefix.size(), std::string::npos, permission_names()[r]) == 0)
                row = r;
        if (row < 0) continue;
        permission_element e;
        e.row = row;
        e.begin = t.begin;
        e.end = t.end;
        // Its end tag, past comments and character data only.
        for (std::size_t j = i + 1; !t.self_closing && j < tokens.size(); ++j) {
            const xml::token& u = tokens[j];
            if (u.kind == xml::token_kind::start_tag) break;
            if (u.kind != xml::token_kind::end_tag) continue;
            if (u.closed && text::iequals_ascii(u.name, "uses-permission")) {
                const std::string_view inside = manifest_text.substr(t.end, u.begin - t.end);
                if (inside.find_first_not_of(" \t\r\n") == std::string_view::npos) {
                    e.end = u.end;
                } else {
                    e.separate_end_tag = true;
                    e.end_tag_begin = u.begin;
                    e.end_tag_end = u.end;
                }
            }
            break;
        }
        found.push_back(e);
    }
    return found;
}

permission_flags granted_permissions(std::string_view manifest_text) {
    permission_flags flags{};
    for (const permission_element& e : permission_elements(manifest_text)) flags[e.row] = true;
    return flags;
}

}  // namespace project
