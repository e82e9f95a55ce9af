#include "core/html/parser.h"

#include <gtest/gtest.h>

#include "core/html/entities.h"
#include "core/html/tokenizer.h"
#include "html_golden.h"

using namespace html;

namespace {

std::vector<token> tokens_of(std::string_view page) {
    std::vector<token> out;
    tokenizer t(page);
    token tok;
    while (t.next(tok)) out.push_back(tok);
    return out;
}

// The depth of the deepest node below the root.
int depth_of(const dom& d, int index = 0) {
    int deepest = 0;
    for (int child : d.children(index)) deepest = std::max(deepest, 1 + depth_of(d, child));
    return deepest;
}

}  // namespace

TEST(HtmlEntities, CommonNamesAndNumbers) {
    EXPECT_EQ(decode_entities("a&nbsp;b"),
              "a\xC2\xA0"
              "b");
    EXPECT_EQ(decode_entities("&amp;&lt;&gt;&quot;&#39;"), "&<>\"'");
    EXPECT_EQ(decode_entities("&#65;&#x42;&#X43;"), "ABC");
    EXPECT_EQ(decode_entities("&#233;"), "\xC3\xA9");
    EXPECT_EQ(decode_entities("&#x1F600;"), "\xF0\x9F\x98\x80");
}

TEST(HtmlEntities, UnknownOrBrokenReferencesStayAsWritten) {
    EXPECT_EQ(decode_entities("&bogus; & &; &#; &#x;"), "&bogus; & &; &#; &#x;");
    EXPECT_EQ(decode_entities("AT&T"), "AT&T");
    EXPECT_EQ(decode_entities("trailing &"), "trailing &");
}

TEST(HtmlEntities, InvalidCodePointsBecomeTheReplacementCharacter) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(decode_entities("&#0;"), replacement);
    EXPECT_EQ(decode_entities("&#xD800;"), replacement);
    EXPECT_EQ(decode_entities("&#1114112;"), replacement);
    EXPECT_EQ(decode_entities("&#99999999999999999999;"), replacement);
}

TEST(HtmlEntities, C1NumbersMeanWindows1252Characters) {
    EXPECT_EQ(decode_entities("&#150;&#128;"), "\xE2\x80\x93\xE2\x82\xAC");
}

TEST(HtmlEntities, LegacyNamesWithoutSemicolon) {
    EXPECT_EQ(decode_entities("a&nbspb &lt3"),
              "a\xC2\xA0"
              "b <3");
    // In an attribute a query string keeps its "&amp=" untouched.
    EXPECT_EQ(decode_entities("x?a=1&amp=2", true), "x?a=1&amp=2");
    EXPECT_EQ(decode_entities("x?a=1&amp;b=2", true), "x?a=1&b=2");
}

TEST(HtmlTokenizer, AttributesInEveryQuotingStyle) {
    const auto t = tokens_of("<A HREF='bat\\2.bat' title=\"x > y\" size=3 checked Href=dup>");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].kind, token_kind::start_tag);
    EXPECT_EQ(t[0].name, "a");
    ASSERT_EQ(t[0].attributes.size(), 4u);
    EXPECT_EQ(t[0].attributes[0].name, "href");
    EXPECT_EQ(t[0].attributes[0].value, "bat\\2.bat");
    EXPECT_EQ(t[0].attributes[1].value, "x > y");
    EXPECT_EQ(t[0].attributes[2].value, "3");
    EXPECT_EQ(t[0].attributes[3].name, "checked");
    EXPECT_EQ(t[0].attributes[3].value, "");
}

TEST(HtmlTokenizer, LessThanSignsThatStartNoTagAreText) {
    const auto t = tokens_of("a < b <3 c<>d");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, "a < b <3 c<>d");
}

TEST(HtmlTokenizer, CommentsDeclarationsAndScriptsVanish) {
    const auto t = tokens_of(
        "<!DOCTYPE html><!-- <b>not</b> -->x<?xml?><script>if (a<b) {}</script>y"
        "<style>b{}</STYLE >z");
    std::string text;
    for (const token& tok : t)
        if (tok.kind == token_kind::text) text += tok.text;
    EXPECT_EQ(text, "xyz");
}

TEST(HtmlTokenizer, TagCutOffByTheEndOfThePageIsDropped) {
    auto t = tokens_of("text<a href='x");
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].text, "text");
    t = tokens_of("text<b class=x");
    ASSERT_EQ(t.size(), 1u);
    t = tokens_of("text</b");
    ASSERT_EQ(t.size(), 1u);
    t = tokens_of("<!-- never closed");
    EXPECT_TRUE(t.empty());
}

TEST(HtmlTokenizer, SelfClosingAndEndTags) {
    const auto t = tokens_of("<br/><input type=checkbox /></B >");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_TRUE(t[0].self_closing);
    EXPECT_TRUE(t[1].self_closing);
    EXPECT_EQ(t[1].attributes[0].value, "checkbox");
    EXPECT_EQ(t[2].kind, token_kind::end_tag);
    EXPECT_EQ(t[2].name, "b");
}

TEST(HtmlParser, HeadingClosedWithAnotherLevelEndsThatHeading) {
    const dom d = parse("<h3>Here</h2>after");
    EXPECT_EQ(dump(d), "body\n  h3\n    \"Here\"\n  \"after\"\n");
}

TEST(HtmlParser, UnknownTagsAreDroppedButTheirTextStays) {
    const dom d = parse("<blink>on <foo:bar x=1>and</foo:bar> off</blink>");
    EXPECT_EQ(dump(d), "body\n  \"on and off\"\n");
}

TEST(HtmlParser, ListItemsAndParagraphsCloseThemselves) {
    const dom d = parse("<ol><li>one<b>bold<li>two</ol><p>a<p>b<div>c</div>");
    EXPECT_EQ(dump(d),
              "body\n  ol\n    li\n      \"one\"\n      b\n        \"bold\"\n    li\n      "
              "\"two\"\n  p\n    \"a\"\n  p\n    \"b\"\n  div\n    \"c\"\n");
}

TEST(HtmlParser, AnItemOfAnInnerListLeavesTheOuterItemOpen) {
    const dom d = parse("<ul><li>a<ol><li>b<li>c</ol>tail</ul>");
    EXPECT_EQ(dump(d),
              "body\n  ul\n    li\n      \"a\"\n      ol\n        li\n          \"b\"\n        li\n"
              "          \"c\"\n      \"tail\"\n");
}

TEST(HtmlParser, StrayEndTagsAreIgnoredAndEndBrIsABreak) {
    const dom d = parse("a</i></li></p>b</br>c</div>");
    EXPECT_EQ(dump(d), "body\n  \"ab\"\n  br\n  \"c\"\n");
}

TEST(HtmlParser, LinksAndCheckBoxesAreNumberedInOrder) {
    const dom d = parse(
        "<a href=\"a.htm\">a</a><a name=x>n</a><input type=CHECKBOX checked>"
        "<input type=text><input type='checkbox'><a href='b.bat'>b</a>");
    ASSERT_EQ(d.links.size(), 2u);
    EXPECT_EQ(d.links[0], "a.htm");
    EXPECT_EQ(d.links[1], "b.bat");
    ASSERT_EQ(d.checkboxes.size(), 2u);
    EXPECT_TRUE(d.checkboxes[0]);
    EXPECT_FALSE(d.checkboxes[1]);
}

TEST(HtmlParser, ANewLinkClosesAnOpenOne) {
    const dom d = parse("<a href=1>one<a href=2>two");
    EXPECT_EQ(dump(d),
              "body\n  a href='1' [link 0]\n    \"one\"\n  a href='2' [link 1]\n    \"two\"\n");
}

TEST(HtmlParser, TitleAndHeadStayOutOfTheBody) {
    const dom d = parse(
        "<html><head><title>My &amp; page</title></head><body bgcolor=red>x"
        "</body></html>trailing");
    EXPECT_EQ(d.title, "My & page");
    ASSERT_NE(d.body(), nullptr);
    EXPECT_EQ(*d.body()->attr("bgcolor"), "red");
    EXPECT_EQ(dump(d),
              "html\n  head\n    title\n      \"My & page\"\n  body bgcolor='red'\n"
              "    \"xtrailing\"\n");
}

TEST(HtmlParser, ContentWithoutBodyGetsOne) {
    EXPECT_EQ(dump(parse("just text")), "body\n  \"just text\"\n");
    EXPECT_EQ(dump(parse("<b>x</b>")), "body\n  b\n    \"x\"\n");
    EXPECT_EQ(dump(parse("")), "");
}

TEST(HtmlParser, SecondBodyAddsOnlyMissingAttributes) {
    const dom d = parse("<body bgcolor=red>a<body bgcolor=blue text=white>b");
    EXPECT_EQ(*d.body()->attr("bgcolor"), "red");
    EXPECT_EQ(*d.body()->attr("text"), "white");
}

TEST(HtmlParser, DeepNestingIsCutOff) {
    std::string page;
    for (int i = 0; i < 20000; ++i) page += "<div><b>";
    page += "deep";
    const dom d = parse(page);
    EXPECT_LE(depth_of(d), kMaxDepth + 2);
    EXPECT_EQ(d.nodes.back().text, "deep");
}

TEST(HtmlParser, ReportPageTree) {
    const dom d = parse(read_fixture("html\\report.htm"));
    expect_golden(dump(d), "html\\report.dom");
}
