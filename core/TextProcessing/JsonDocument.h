#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// A parsed JSON text that remembers the source text of every number, so that it can be written
// again without changing any value. Strings without escapes stay views into the source.
class JsonDocument {
public:
    enum class Style { pretty, compact };

    // Strict RFC 8259 grammar on valid UTF-8, any value at the top; nesting deeper than
    // TextLimits::maxJSONNesting fails. The document refers to `text`, which must outlive it.
    static std::optional<JsonDocument> parse(std::string_view text);

    // Pretty output sorts object keys; compact output keeps member order. A repeated key keeps the
    // place of its first appearance and the value of its last.
    std::string write(Style style) const;

private:
    enum class Kind : std::uint8_t { null, boolTrue, boolFalse, number, string, array, object };
    // Nodes are stored in document order; a container's members follow it (keys and values
    // alternating in objects) and `end` is the index one past its last descendant.
    struct Node {
        Kind kind;
        bool decoded; // a string with escapes: its text is in decoded_, not in the source
        std::uint32_t end;
        std::uint32_t offset;
        std::uint32_t length;
    };

    friend class JsonParser;
    friend class JsonWriter;

    std::string_view source_;
    std::string decoded_;
    std::vector<Node> nodes_;
};

} // namespace ondravell
