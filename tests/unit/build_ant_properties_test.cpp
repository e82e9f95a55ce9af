#include "core/build/ant_properties.h"

#include <gtest/gtest.h>

using namespace build;

TEST(BuildAntProperties, FourLinesForOrdinaryValues) {
    EXPECT_EQ(ant_properties_text("D:\\keys\\release.jks", "mykey", "s3cret"),
              "key.store=release.jks\r\n"
              "key.alias=mykey\r\n"
              "key.store.password=s3cret\r\n"
              "key.alias.password=s3cret\r\n");
}

TEST(BuildAntProperties, SpecialCharactersAreEscaped) {
    EXPECT_EQ(escape_property_value("a\\b:c=d#e!f"), "a\\\\b\\:c\\=d\\#e\\!f");
    EXPECT_EQ(escape_property_value("  lead and trail  "), "\\ \\ lead and trail  ");
    EXPECT_EQ(escape_property_value("t\tn\nr\rf\f"), "t\\tn\\nr\\rf\\f");
    EXPECT_EQ(escape_property_value("caf\xC3\xA9"), "caf\\u00E9");
    EXPECT_EQ(escape_property_value("\xE2\x82\xAC"), "\\u20AC");
    EXPECT_EQ(escape_property_value("\xF0\x9F\x94\x91"), "\\uD83D\\uDD11");  // beyond the BMP
    EXPECT_EQ(escape_property_value(std::string("\x01\x7F", 2)), "\\u0001\\u007F");
    EXPECT_EQ(escape_property_value("&|<>^%\"'"), "&|<>^%\"'");
}

TEST(BuildAntProperties, EscapingRoundTrips) {
    for (const char* v : {"", "plain", "a\\b:c=d#e!f", "  lead", "t\tn\nr\rf\f", "caf\xC3\xA9",
                          "\xF0\x9F\x94\x91 key", "back\\", "\\u0041 literal"}) {
        EXPECT_EQ(unescape_property_value(escape_property_value(v)), v) << v;
    }
}

TEST(BuildAntProperties, IdentityReadsBack) {
    const std::string text = ant_properties_text("D:\\k.jks", "my:key", "p=ss#1 \xC3\xA9");
    const ant_identity id = read_ant_identity(text);
    EXPECT_EQ(id.alias, "my:key");
    EXPECT_EQ(id.password, "p=ss#1 \xC3\xA9");
}

TEST(BuildAntProperties, IdentityFromLfFilesAndFilesWithoutFinalLineEnd) {
    const ant_identity lf = read_ant_identity("key.store=a\nkey.alias=k1\nkey.store.password=pw\n");
    EXPECT_EQ(lf.alias, "k1");
    EXPECT_EQ(lf.password, "pw");
    const ant_identity last = read_ant_identity("key.alias=k2\r\nkey.store.password=last");
    EXPECT_EQ(last.alias, "k2");
    EXPECT_EQ(last.password, "last");
    const ant_identity none = read_ant_identity("nothing here");
    EXPECT_EQ(none.alias, "");
    EXPECT_EQ(none.password, "");
}

TEST(BuildAntProperties, KeystoreNameIsEscapedToo) {
    EXPECT_EQ(ant_properties_text("D:\\my keys\\a=b.jks", "k", "p").substr(0, 22),
              "key.store=a\\=b.jks\r\nke");
}
