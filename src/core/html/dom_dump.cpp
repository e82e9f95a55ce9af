// The text picture of a document tree that the parser tests compare. Kept apart so that the
// viewer, which never prints a tree, does not carry it.
#include "core/html/dom.h"

namespace html {
namespace {

void dump_node(const dom& d, int index, int depth, std::string& out) {
    const node& n = d.nodes[static_cast<std::size_t>(index)];
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    if (n.kind == tag::text) {
        out += '"';
        for (char c : n.text) {
            if (c == '\n')
                out += "\\n";
            else
                out += c;
        }
        out += "\"\n";
        return;
    }
    out += tag_name(n.kind);
    for (const attribute& a : n.attributes) out += " " + a.name + "='" + a.value + "'";
    if (n.link >= 0) out += " [link " + std::to_string(n.link) + "]";
    if (n.checkbox >= 0) out += " [checkbox " + std::to_string(n.checkbox) + "]";
    out += '\n';
    for (int child : d.children(index)) dump_node(d, child, depth + 1, out);
}

}  // namespace

std::string dump(const dom& d) {
    std::string out;
    if (!d.nodes.empty())
        for (int child : d.children(0)) dump_node(d, child, 0, out);
    return out;
}

}  // namespace html
