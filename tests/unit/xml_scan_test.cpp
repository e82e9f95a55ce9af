// The lenient XML scan, and character data written and read back.
#include "core/xml/xml_scan.h"

#include <gtest/gtest.h>

#include "core/xml/xml_text.h"

using namespace xml;

namespace {

std::string_view value_of(std::string_view text, const token& t, std::string_view name) {
    const attribute* a = find_attribute(t, name);
    return a ? text.substr(a->value_begin, a->value_end - a->value_begin) : "(none)";
}

}  // namespace

TEST(XmlScan, TagsAttributesAndCommentsAtTheirPlaces) {
    const std::string text =
        "<?xml version=\"1.0\"?>\n<!-- <a x=\"1\"> -->\n<manifest\n  package = 'a.b'\n"
        "  android:versionName=\"2.0 >beta\"\n  bare>\n<uses-sdk android:minSdkVersion=9/>"
        "<![CDATA[<b>]]></manifest>";
    const std::vector<token> tokens = scan(text);
    ASSERT_EQ(tokens.size(), 6u);
    EXPECT_EQ(tokens[0].kind, token_kind::instruction);
    EXPECT_EQ(tokens[1].kind, token_kind::comment);
    const token& m = tokens[2];
    EXPECT_EQ(m.kind, token_kind::start_tag);
    EXPECT_EQ(m.name, "manifest");
    EXPECT_TRUE(m.closed);
    EXPECT_EQ(text.substr(m.end - 6, 6), " bare>");
    EXPECT_EQ(value_of(text, m, "package"), "a.b");
    EXPECT_EQ(value_of(text, m, "android:versionName"), "2.0 >beta");
    ASSERT_NE(find_attribute(m, "bare"), nullptr);
    EXPECT_FALSE(find_attribute(m, "bare")->has_value);
    EXPECT_TRUE(tokens[3].self_closing);
    EXPECT_EQ(value_of(text, tokens[3], "android:minSdkVersion"), "9");
    EXPECT_EQ(tokens[4].kind, token_kind::cdata);
    EXPECT_EQ(tokens[5].kind, token_kind::end_tag);
    EXPECT_EQ(tokens[5].name, "manifest");
}

TEST(XmlScan, MalformedTextStillEndsAndNothingIsSwallowedPastMarkup) {
    struct row {
        const char* text;
        std::size_t tokens;
        bool last_closed;
    };
    const row rows[] = {
        {"<!-- never closed <a/>", 1, false},
        {"<a x=\"never closed> <b/>", 1, false},
        {"<a x=1 <!-- c -->", 2, true},  // a tag cut short by markup: the comment stays one
        {"< a> <1> <", 0, true},
        {"</a", 1, false},
        {"<!DOCTYPE m [ <!ENTITY e \">\"> ]><m/>", 2, true},
        {"", 0, true},
    };
    for (const row& r : rows) {
        const std::vector<token> tokens = scan(r.text);
        EXPECT_EQ(tokens.size(), r.tokens) << r.text;
        if (!tokens.empty()) {
            EXPECT_EQ(tokens.back().closed, r.last_closed) << r.text;
        }
    }
}

TEST(XmlText, EscapedValuesDecodeToThemselves) {
    const std::string values[] = {
        "plain",
        "Caf\xC3\xA9 & \xE9\xA1\xB9\xE7\x9B\xAE <1>",
        "a \"quoted\" 'one'",
        "&amp; stays text",
        "tab\tline\ncr\r",
        "]]> <![CDATA[ x",
        "&#233; &unknown;",
    };
    for (const std::string& v : values) {
        for (char quote : {'\0', '"', '\''}) {
            const std::string written = escaped(v, quote);
            EXPECT_EQ(decoded(written), v) << written;
            if (quote) {
                EXPECT_EQ(written.find(quote), std::string::npos) << written;
            }
            EXPECT_EQ(written.find('<'), std::string::npos);
        }
    }
}

TEST(XmlText, ReferencesDecodeAndOddOnesStayAsWritten) {
    EXPECT_EQ(decoded("Tom &amp; Jerry &lt;3&gt; &quot;x&quot; &apos;"), "Tom & Jerry <3> \"x\" '");
    EXPECT_EQ(decoded("Caf&#233; &#x9879;&#x76EE;"), "Caf\xC3\xA9 \xE9\xA1\xB9\xE7\x9B\xAE");
    EXPECT_EQ(decoded("&eacute; &#0; &#xD800; &#99999999999; &amp &; &#x;"),
              "&eacute; &#0; &#xD800; &#99999999999; &amp &; &#x;");
    EXPECT_EQ(decoded("<![CDATA[a &amp; <b>]]> &amp;"), "a &amp; <b> &");
}
