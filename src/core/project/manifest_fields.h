#pragma once
// The manifest attributes the program shows and edits, each on its own element: package,
// version name and code on <manifest>, the SDK levels on <uses-sdk>, label and icon on
// <application> (the first such element outside comments). An edit changes the bytes of that
// one value and nothing else.
#include <cstddef>
#include <string>
#include <string_view>

namespace project {

enum class manifest_field { package, version_name, version_code, min_sdk, target_sdk, label, icon };

// The attribute's name as written in the manifest ("android:versionName").
std::string_view field_attribute(manifest_field field);

// The field's value as it reads, XML references decoded; "" when it is missing.
std::string field_value(std::string_view manifest, manifest_field field);
bool has_field(std::string_view manifest, manifest_field field);

// The manifest with the field holding the value (escaped for XML); a missing attribute is added
// to its element. written is false, and the text unchanged, when the element is missing.
std::string with_field(std::string_view manifest, manifest_field field, std::string_view value,
                       bool& written);

}  // namespace project
