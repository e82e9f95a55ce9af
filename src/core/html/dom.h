#pragma once
// The document tree the parser builds: known elements and text. Unknown tags never make it
// into the tree (their text does), so everything below is something the engine can show.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace html {

enum class tag : std::uint8_t {
    document,  // the root, not written in the page
    text,      // a text node
    html,
    head,
    body,
    title,
    p,
    div,
    center,
    blockquote,
    pre,
    hr,
    h1,
    h2,
    h3,
    h4,
    h5,
    h6,
    ol,
    ul,
    li,
    dl,
    dt,
    dd,
    a,
    font,
    span,
    b,
    strong,
    i,
    em,
    u,
    s,
    strike,
    tt,
    code,
    kbd,
    small,
    big,
    br,
    input,
    img,
    meta,
    link,
    script,
    style,
    unknown,
};

// The tag for a lower-case name, tag::unknown when the engine does not know it.
tag tag_from_name(std::string_view lower_name);
std::string_view tag_name(tag t);
bool is_void(tag t);         // never has content: br, input, hr, ...
bool is_heading(tag t);      // h1 to h6
bool is_block_level(tag t);  // starts a new block; closes an open paragraph

struct attribute {
    std::string name;   // lower case
    std::string value;  // entities decoded
};

// Nodes link to their relatives by index, so that building a tree of a large page does not
// allocate a list of children per element.
struct node {
    tag kind = tag::text;
    int parent = -1;
    int first_child = -1;
    int last_child = -1;
    int next_sibling = -1;
    std::vector<attribute> attributes;  // elements only
    std::string text;                   // text nodes only, entities decoded (UTF-8)
    int link = -1;                      // index into dom::links for an <a href>
    int checkbox = -1;                  // index into dom::checkboxes for an <input type=checkbox>

    const std::string* attr(std::string_view name) const;
};

struct dom;

// The children of a node, in order, for range-based loops.
class child_range {
public:
    class iterator {
    public:
        iterator(const dom* d, int index) : d_(d), index_(index) {}
        int operator*() const { return index_; }
        iterator& operator++();
        bool operator!=(const iterator& other) const { return index_ != other.index_; }

    private:
        const dom* d_;
        int index_;
    };
    child_range(const dom* d, int first) : d_(d), first_(first) {}
    iterator begin() const { return {d_, first_}; }
    iterator end() const { return {d_, -1}; }

private:
    const dom* d_;
    int first_;
};

struct dom {
    std::vector<node> nodes;         // nodes[0] is the document root
    std::vector<std::string> links;  // href of each link, as written
    std::vector<bool> checkboxes;    // initial state of each check box
    std::string title;

    const node& root() const { return nodes[0]; }
    child_range children(int index) const {
        return {this, nodes[static_cast<std::size_t>(index)].first_child};
    }
    // The first body element, or nullptr when the page has none.
    const node* body() const;
};

// An indented text picture of the tree, one node a line, for tests and diagnostics.
std::string dump(const dom& d);

}  // namespace html
