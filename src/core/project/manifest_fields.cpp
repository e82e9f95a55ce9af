#include "core/project/manifest_fields.h"

#include <vector>

#include "core/xml/xml_scan.h"
#include "core/xml/xml_text.h"

namespace project {
namespace {

std::string_view element_of(manifest_field field) {
    switch (field) {
        case manifest_field::min_sdk:
        case manifest_field::target_sdk: return "uses-sdk";
        case manifest_field::label:
        case manifest_field::icon: return "application";
        default: return "manifest";
    }
}

// The element that carries the field: the first start tag of its name outside comments. One
// that is never closed (the text ends inside it) counts as missing: its values are not known.
bool find_element(const std::vector<xml::token>& tokens, manifest_field field, xml::token& out) {
    for (const xml::token& t : tokens) {
        if (t.kind == xml::token_kind::start_tag && t.name == element_of(field)) {
            out = t;
            return t.closed;
        }
    }
    return false;
}

}  // namespace

std::string_view field_attribute(manifest_field field) {
    switch (field) {
        case manifest_field::package: return "package";
        case manifest_field::version_name: return "android:versionName";
        case manifest_field::version_code: return "android:versionCode";
        case manifest_field::min_sdk: return "android:minSdkVersion";
        case manifest_field::target_sdk: return "android:targetSdkVersion";
        case manifest_field::label: return "android:label";
        case manifest_field::icon: return "android:icon";
    }
    return "";
}

bool has_field(std::string_view manifest, manifest_field field) {
    xml::token element;
    return find_element(xml::scan(manifest), field, element) &&
           xml::find_attribute(element, field_attribute(field)) != nullptr;
}

std::string field_value(std::string_view manifest, manifest_field field) {
    xml::token element;
    if (!find_element(xml::scan(manifest), field, element)) return "";
    const xml::attribute* a = xml::find_attribute(element, field_attribute(field));
    if (!a) return "";
    return xml::decoded(manifest.substr(a->value_begin, a->value_end - a->value_begin));
}

std::string with_field(std::string_view manifest, manifest_field field, std::string_view value,
                       bool& written) {
    written = false;
    xml::token element;
    if (!find_element(xml::scan(manifest), field, element)) return std::string(manifest);
    std::string out(manifest);
    const xml::attribute* a = xml::find_attribute(element, field_attribute(field));
    if (a && a->quoted) {
        out.replace(a->value_begin, a->value_end - a->value_begin, xml::escaped(value, a->quote));
    } else if (a && a->has_value) {  // an unquoted value gets quotes
        out.replace(a->value_begin, a->value_end - a->value_begin,
                    "\"" + xml::escaped(value, '"') + "\"");
    } else if (a) {  // a bare name gets its value
        out.insert(a->name_end, "=\"" + xml::escaped(value, '"') + "\"");
    } else {
        // After the last attribute when its value is quoted, otherwise right after the element's
        // name: there the text that follows reads as it did (after an unquoted "a=" it would
        // become a's value).
        std::size_t at = element.begin + 1 + element.name.size();
        if (!element.attributes.empty() && element.attributes.back().quoted)
            at = element.attributes.back().value_end + 1;
        out.insert(at, " " + std::string(field_attribute(field)) + "=\"" +
                           xml::escaped(value, '"') + "\"");
    }
    written = true;
    return out;
}

}  // namespace project
