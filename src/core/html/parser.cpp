#include "core/html/parser.h"

#include "core/html/tokenizer.h"
#include "core/text/text_helpers.h"

namespace html {
namespace {

bool all_space(std::string_view text) {
    return text::consists_of(text, " \t\n\r\f");
}

bool belongs_in_head(tag t) {
    return t == tag::title || t == tag::meta || t == tag::link || t == tag::script ||
           t == tag::style;
}

class tree_builder {
public:
    explicit tree_builder(std::size_t page_size) {
        d_.nodes.reserve(page_size / 12 + 16);  // about one node in every dozen bytes
        d_.nodes.emplace_back();
        d_.nodes.back().kind = tag::document;
        open_.push_back(0);
    }

    void text(std::string&& content) {
        const tag where = current_tag();
        if (where == tag::document || where == tag::html || where == tag::head) {
            if (all_space(content)) return;
            ensure_body();
        }
        node& parent = d_.nodes[static_cast<std::size_t>(open_.back())];
        if (parent.last_child >= 0) {
            node& last = d_.nodes[static_cast<std::size_t>(parent.last_child)];
            if (last.kind == tag::text) {
                last.text += content;
                return;
            }
        }
        const int index = add(tag::text);
        d_.nodes[static_cast<std::size_t>(index)].text = std::move(content);
    }

    void start(token& t) {
        const tag kind = tag_from_name(t.name);
        switch (kind) {
            case tag::unknown: return;
            case tag::html:
                if (find_first(tag::html) < 0 && open_.size() == 1)
                    push(add(tag::html, std::move(t.attributes)));
                else
                    merge_attributes(find_first(tag::html), t.attributes);
                return;
            case tag::head:
                if (find_first(tag::head) < 0 && find_first(tag::body) < 0 &&
                    current_tag() != tag::head)
                    push(add(tag::head));
                return;
            case tag::body:
                if (find_first(tag::body) >= 0) {
                    merge_attributes(find_first(tag::body), t.attributes);
                    return;
                }
                if (current_tag() == tag::head) open_.pop_back();
                push(add(tag::body, std::move(t.attributes)));
                return;
            default: break;
        }
        const tag where = current_tag();
        if (!belongs_in_head(kind) &&
            (where == tag::document || where == tag::html || where == tag::head))
            ensure_body();
        if (is_block_level(kind)) close_paragraph();
        if (is_heading(kind) && is_heading(current_tag())) open_.pop_back();
        if (kind == tag::li) close_list_item(tag::li, tag::li);
        if (kind == tag::dt || kind == tag::dd) close_list_item(tag::dt, tag::dd);
        if (kind == tag::a) {
            const int open_link = find_open(tag::a);
            if (open_link >= 0) pop_through(open_link);
        }
        if (static_cast<int>(open_.size()) > kMaxDepth && !is_void(kind)) return;

        const int index = add(kind, std::move(t.attributes));
        node& n = d_.nodes[static_cast<std::size_t>(index)];
        if (kind == tag::a) {
            if (const std::string* href = n.attr("href")) {
                n.link = static_cast<int>(d_.links.size());
                d_.links.push_back(*href);
            }
        } else if (kind == tag::input) {
            const std::string* type = n.attr("type");
            if (type && text::iequals_ascii(*type, "checkbox")) {
                n.checkbox = static_cast<int>(d_.checkboxes.size());
                d_.checkboxes.push_back(n.attr("checked") != nullptr);
            }
        }
        if (!is_void(kind)) push(index);
    }

    void end(const token& t) {
        const tag kind = tag_from_name(t.name);
        switch (kind) {
            case tag::unknown:
            case tag::html:
            case tag::body:  // content after </body> still belongs to the body
                return;
            case tag::br: {  // "</br>" is read as "<br>", as browsers do
                token as_start;
                as_start.name = "br";
                start(as_start);
                return;
            }
            case tag::head:
                if (current_tag() == tag::head) open_.pop_back();
                return;
            case tag::p: close_paragraph(); return;
            case tag::li: close_list_item(tag::li, tag::li); return;
            case tag::dt:
            case tag::dd: close_list_item(tag::dt, tag::dd); return;
            default: break;
        }
        int at = find_open(kind);
        if (at < 0 && is_heading(kind)) {
            // A heading closed with the end tag of another level still ends that heading.
            for (int k = static_cast<int>(open_.size()) - 1; k > 0 && at < 0; --k)
                if (is_heading(tag_at(k))) at = k;
        }
        if (at > 0) pop_through(at);
    }

    dom finish() {
        for (const node& n : d_.nodes) {
            if (n.kind != tag::title) continue;
            for (int child : d_.children(static_cast<int>(&n - d_.nodes.data())))
                d_.title += d_.nodes[static_cast<std::size_t>(child)].text;
            break;
        }
        return std::move(d_);
    }

private:
    tag current_tag() const { return d_.nodes[static_cast<std::size_t>(open_.back())].kind; }
    tag tag_at(int stack_index) const {
        return d_.nodes[static_cast<std::size_t>(open_[static_cast<std::size_t>(stack_index)])]
            .kind;
    }

    int add(tag kind, std::vector<attribute> attributes = {}) {
        const int index = static_cast<int>(d_.nodes.size());
        node n;
        n.kind = kind;
        n.parent = open_.back();
        n.attributes = std::move(attributes);
        d_.nodes.push_back(std::move(n));
        node& parent = d_.nodes[static_cast<std::size_t>(open_.back())];
        if (parent.last_child >= 0)
            d_.nodes[static_cast<std::size_t>(parent.last_child)].next_sibling = index;
        else
            parent.first_child = index;
        parent.last_child = index;
        if (kind == tag::html) html_ = index;
        if (kind == tag::head) head_ = index;
        if (kind == tag::body) body_ = index;
        return index;
    }

    void push(int index) { open_.push_back(index); }

    // Stack position of the innermost open element of this kind, or -1.
    int find_open(tag kind) const {
        for (int k = static_cast<int>(open_.size()) - 1; k > 0; --k)
            if (tag_at(k) == kind) return k;
        return -1;
    }

    // The html, head and body elements exist at most once each; they are remembered.
    int find_first(tag kind) const {
        if (kind == tag::html) return html_;
        if (kind == tag::head) return head_;
        return body_;
    }

    void pop_through(int stack_index) { open_.resize(static_cast<std::size_t>(stack_index)); }

    void merge_attributes(int index, const std::vector<attribute>& extra) {
        if (index < 0) return;
        node& n = d_.nodes[static_cast<std::size_t>(index)];
        for (const attribute& a : extra)
            if (!n.attr(a.name)) n.attributes.push_back(a);
    }

    // Content outside any body still gets one, so it is laid out like the rest of the page.
    void ensure_body() {
        if (current_tag() == tag::head) open_.pop_back();
        if (find_first(tag::body) >= 0) return;
        push(add(tag::body));
    }

    // An open paragraph ends where a block starts; inline elements inside it end with it.
    void close_paragraph() {
        for (int k = static_cast<int>(open_.size()) - 1; k > 0; --k) {
            const tag t = tag_at(k);
            if (t == tag::p) {
                pop_through(k);
                return;
            }
            if (is_block_level(t) || t == tag::body || t == tag::html) return;
        }
    }

    // A new item ends the open item of the same list, never one of an outer list.
    void close_list_item(tag a, tag b) {
        for (int k = static_cast<int>(open_.size()) - 1; k > 0; --k) {
            const tag t = tag_at(k);
            if (t == a || t == b) {
                pop_through(k);
                return;
            }
            if ((is_block_level(t) && t != tag::p) || t == tag::body || t == tag::html) return;
        }
    }

    dom d_;
    std::vector<int> open_;
    int html_ = -1, head_ = -1, body_ = -1;
};

}  // namespace

dom parse(std::string_view page) {
    tree_builder builder(page.size());
    tokenizer tokens(page);
    token t;
    while (tokens.next(t)) {
        switch (t.kind) {
            case token_kind::text: builder.text(std::move(t.text)); break;
            case token_kind::start_tag: builder.start(t); break;
            case token_kind::end_tag: builder.end(t); break;
            case token_kind::end_of_input: break;
        }
    }
    return builder.finish();
}

}  // namespace html
