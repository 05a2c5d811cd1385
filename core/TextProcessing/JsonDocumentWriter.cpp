#include "core/TextProcessing/JsonDocument.h"
#include "core/TextProcessing/TextLimits.h"

#include <algorithm>

namespace ondravell {

class JsonWriter {
public:
    JsonWriter(const JsonDocument& document, JsonDocument::Style style)
        : document_(document), pretty_(style == JsonDocument::Style::pretty) {
        out_.reserve(document.source_.size() + document.source_.size() / (pretty_ ? 1 : 4));
    }

    std::string take() && {
        if (!document_.nodes_.empty())
            value(0, 0);
        return std::move(out_);
    }

private:
    using Kind = JsonDocument::Kind;
    using Node = JsonDocument::Node;
    struct Member {
        std::uint32_t key;
        std::uint32_t value;
    };

    std::string_view text(const Node& node) const {
        const std::string_view base = node.decoded ? std::string_view(document_.decoded_) : document_.source_;
        return base.substr(node.offset, node.length);
    }

    std::string_view keyText(const Member& member) const { return text(document_.nodes_[member.key]); }

    void newline(int depth) {
        out_ += '\n';
        out_.append(static_cast<std::size_t>(depth) * 2, ' ');
    }

    void value(std::uint32_t index, int depth) {
        const Node& node = document_.nodes_[index];
        switch (node.kind) {
        case Kind::string:
            string(node);
            break;
        case Kind::array:
            array(index, depth);
            break;
        case Kind::object:
            object(index, depth);
            break;
        default:
            out_ += text(node);
        }
    }

    void string(const Node& node) {
        out_ += '"';
        if (!node.decoded) {
            out_ += text(node);
        } else {
            for (char c : text(node))
                escapeCharacter(c);
        }
        out_ += '"';
    }

    void escapeCharacter(char c) {
        static constexpr std::string_view hex = "0123456789abcdef";
        switch (c) {
        case '"':
            out_ += "\\\"";
            return;
        case '\\':
            out_ += "\\\\";
            return;
        case '\b':
            out_ += "\\b";
            return;
        case '\f':
            out_ += "\\f";
            return;
        case '\n':
            out_ += "\\n";
            return;
        case '\r':
            out_ += "\\r";
            return;
        case '\t':
            out_ += "\\t";
            return;
        default:
            break;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20) {
            out_ += c;
            return;
        }
        out_ += "\\u00";
        out_ += hex[byte >> 4];
        out_ += hex[byte & 0xF];
    }

    void array(std::uint32_t index, int depth) {
        const auto end = document_.nodes_[index].end;
        if (index + 1 == end) {
            out_ += "[]";
            return;
        }
        out_ += '[';
        bool first = true;
        for (std::uint32_t child = index + 1; child < end; child = document_.nodes_[child].end) {
            if (!first)
                out_ += ',';
            first = false;
            if (pretty_)
                newline(depth + 1);
            value(child, depth + 1);
        }
        if (pretty_)
            newline(depth);
        out_ += ']';
    }

    void object(std::uint32_t index, int depth) {
        const auto end = document_.nodes_[index].end;
        if (index + 1 == end) {
            out_ += "{}";
            return;
        }
        // One member list per depth, reused from object to object.
        std::vector<Member>& members = scratch_[static_cast<std::size_t>(depth)];
        members.clear();
        for (std::uint32_t key = index + 1; key < end; key = document_.nodes_[key + 1].end)
            members.push_back({key, key + 1});
        if (pretty_)
            sortUniqueMembers(members);
        else
            uniqueMembers(members);
        out_ += '{';
        bool first = true;
        for (const Member& member : members) {
            if (!first)
                out_ += ',';
            first = false;
            if (pretty_)
                newline(depth + 1);
            string(document_.nodes_[member.key]);
            out_ += pretty_ ? " : " : ":";
            value(member.value, depth + 1);
        }
        if (pretty_)
            newline(depth);
        out_ += '}';
    }

    bool sameKey(const Member& a, const Member& b) const { return keyText(a) == keyText(b); }

    // Sorts by key; a repeated key keeps its last value.
    void sortUniqueMembers(std::vector<Member>& members) const {
        auto byKey = [&](const Member& a, const Member& b) { return keyText(a) < keyText(b); };
        if (members.size() <= smallObject) {
            for (std::size_t i = 1; i < members.size(); ++i) {
                const Member member = members[i];
                std::size_t j = i;
                for (; j > 0 && byKey(member, members[j - 1]); --j)
                    members[j] = members[j - 1];
                members[j] = member;
            }
        } else {
            std::stable_sort(members.begin(), members.end(), byKey);
        }
        std::size_t kept = 0;
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (kept > 0 && sameKey(members[kept - 1], members[i]))
                members[kept - 1].value = members[i].value;
            else
                members[kept++] = members[i];
        }
        members.resize(kept);
    }

    // Keeps member order; a repeated key stays where it first appeared, with its last value.
    void uniqueMembers(std::vector<Member>& members) const {
        if (members.size() <= smallObject) {
            std::size_t kept = 0;
            for (std::size_t i = 0; i < members.size(); ++i) {
                std::size_t j = 0;
                while (j < kept && !sameKey(members[j], members[i]))
                    ++j;
                if (j < kept)
                    members[j].value = members[i].value;
                else
                    members[kept++] = members[i];
            }
            members.resize(kept);
            return;
        }
        std::vector<std::uint32_t> order(members.size());
        for (std::uint32_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return keyText(members[a]) < keyText(members[b]);
        });
        // Among equal keys `order` keeps appearance order: the first of each run takes the last value.
        std::vector<bool> dropped(members.size(), false);
        for (std::size_t run = 0, i = 1; i <= order.size(); ++i) {
            if (i < order.size() && sameKey(members[order[i]], members[order[run]])) {
                dropped[order[i]] = true;
                continue;
            }
            members[order[run]].value = members[order[i - 1]].value;
            run = i;
        }
        std::size_t kept = 0;
        for (std::size_t i = 0; i < members.size(); ++i) {
            if (!dropped[i])
                members[kept++] = members[i];
        }
        members.resize(kept);
    }

    // Objects up to this size are sorted and checked for repeated keys without allocating.
    static constexpr std::size_t smallObject = 16;

    const JsonDocument& document_;
    bool pretty_;
    std::string out_;
    std::vector<std::vector<Member>> scratch_ =
        std::vector<std::vector<Member>>(TextLimits::maxJSONNesting + 2);
};

std::string JsonDocument::write(Style style) const {
    return JsonWriter(*this, style).take();
}

} // namespace ondravell
