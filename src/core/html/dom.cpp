#include "core/html/dom.h"

#include <array>

namespace html {
namespace {

struct tag_entry {
    std::string_view name;
    tag kind;
};

constexpr std::array<tag_entry, 44> kTags{{
    {"html", tag::html},     {"head", tag::head},
    {"body", tag::body},     {"title", tag::title},
    {"p", tag::p},           {"div", tag::div},
    {"center", tag::center}, {"blockquote", tag::blockquote},
    {"pre", tag::pre},       {"hr", tag::hr},
    {"h1", tag::h1},         {"h2", tag::h2},
    {"h3", tag::h3},         {"h4", tag::h4},
    {"h5", tag::h5},         {"h6", tag::h6},
    {"ol", tag::ol},         {"ul", tag::ul},
    {"li", tag::li},         {"dl", tag::dl},
    {"dt", tag::dt},         {"dd", tag::dd},
    {"a", tag::a},           {"font", tag::font},
    {"span", tag::span},     {"b", tag::b},
    {"strong", tag::strong}, {"i", tag::i},
    {"em", tag::em},         {"u", tag::u},
    {"s", tag::s},           {"strike", tag::strike},
    {"tt", tag::tt},         {"code", tag::code},
    {"kbd", tag::kbd},       {"small", tag::small},
    {"big", tag::big},       {"br", tag::br},
    {"input", tag::input},   {"img", tag::img},
    {"meta", tag::meta},     {"link", tag::link},
    {"script", tag::script}, {"style", tag::style},
}};

}  // namespace

tag tag_from_name(std::string_view lower_name) {
    for (const tag_entry& e : kTags)
        if (e.name == lower_name) return e.kind;
    return tag::unknown;
}

std::string_view tag_name(tag t) {
    if (t == tag::document) return "#document";
    if (t == tag::text) return "#text";
    for (const tag_entry& e : kTags)
        if (e.kind == t) return e.name;
    return "?";
}

bool is_void(tag t) {
    switch (t) {
        case tag::br:
        case tag::input:
        case tag::hr:
        case tag::img:
        case tag::meta:
        case tag::link: return true;
        default: return false;
    }
}

bool is_heading(tag t) {
    return t >= tag::h1 && t <= tag::h6;
}

bool is_block_level(tag t) {
    switch (t) {
        case tag::p:
        case tag::div:
        case tag::center:
        case tag::blockquote:
        case tag::pre:
        case tag::hr:
        case tag::ol:
        case tag::ul:
        case tag::li:
        case tag::dl:
        case tag::dt:
        case tag::dd: return true;
        default: return is_heading(t);
    }
}

const std::string* node::attr(std::string_view name) const {
    for (const attribute& a : attributes)
        if (a.name == name) return &a.value;
    return nullptr;
}

child_range::iterator& child_range::iterator::operator++() {
    index_ = d_->nodes[static_cast<std::size_t>(index_)].next_sibling;
    return *this;
}

const node* dom::body() const {
    for (const node& n : nodes)
        if (n.kind == tag::body) return &n;
    return nullptr;
}

}  // namespace html
