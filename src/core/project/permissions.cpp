#include "core/project/permissions.h"

#include "core/text/text_helpers.h"

namespace project {

const std::vector<std::string>& permission_table() {
    static const std::vector<std::string> table = {
        "00.WRITE_EXTERNAL_STORAGE", "01.INTERNET",       "02.ACCESS_COARSE_LOCATION",
        "03.ACCESS_MOCK_LOCATION",   "04.ACCESS_FINE_LOCATION",
        "05.ACCESS_LOCATION_EXTRA_COMMANDS",              "06.VIBRATE",
        "07.WAKE_LOCK",              "08.CAMERA",         "09.BLUETOOTH",
        "10.BLUETOOTH_ADMIN",        "11.RECORD_AUDIO",   "12.READ_PHONE_STATE",
        "13.READ_SMS",               "14.SEND_SMS",       "15.RECEIVE_SMS",
        "16.CALL_PHONE",             "17.ACCESS_NETWORK_STATE",
        "18.DUMP",                   "19.ACCESS_WIFI_STATE",
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
    std::string line = "     <uses-permission android:name=\"android.permission." +
                       permission_names()[row] + "\"";
    line += short_form ? " />" : " android:required=\"false\"></uses-permission>";
    return line;
}

std::string without_comments(std::string_view manifest_text) {
    std::string out(manifest_text);
    std::size_t pos = 0;
    while ((pos = out.find("<!--", pos)) != std::string::npos) {
        std::size_t end = out.find("-->", pos + 4);
        end = (end == std::string::npos) ? out.size() : end + 3;
        for (std::size_t i = pos; i < end; ++i)
            if (out[i] != '\r' && out[i] != '\n') out[i] = ' ';
        pos = end;
    }
    return out;
}

permission_flags granted_permissions(std::string_view manifest_text) {
    const std::string upper = text::to_upper_ascii(without_comments(manifest_text));
    permission_flags flags{};
    for (int i = 0; i < kPermissionCount; ++i)
        flags[i] = upper.find("ANDROID.PERMISSION." + permission_names()[i] + "\"") !=
                   std::string::npos;
    return flags;
}

}  // namespace project
