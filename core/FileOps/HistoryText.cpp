#include "core/FileOps/HistoryText.h"

#include "core/FileOps/FileOperation.h"
#include "core/Support/UnicodeText.h"

#include <charconv>
#include <nlohmann/json.hpp>

namespace ondravell {

namespace {

// Reads one operation of the compact form from the front of `rest`; false at the first difference.
class CompactReader {
public:
    explicit CompactReader(std::string_view text) : rest_(text) {}

    std::string_view rest() const { return rest_; }

    bool literal(std::string_view expected) {
        if (!rest_.starts_with(expected))
            return false;
        rest_.remove_prefix(expected.size());
        return true;
    }

    // A string as the writer leaves it: nothing in it that it escapes (quotes, backslashes, control
    // characters; the whole file has been checked to be UTF-8 and free of control characters).
    bool string() {
        if (!literal("\""))
            return false;
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '"' && rest_[end] != '\\')
            ++end;
        if (end == rest_.size() || rest_[end] != '"')
            return false;
        last_ = rest_.substr(0, end);
        rest_.remove_prefix(end + 1);
        return true;
    }
    std::string_view lastString() const { return last_; }

    // A timestamp exactly as writing the date it stands for gives it.
    bool timestamp() {
        const std::size_t end = rest_.find(',');
        if (end == std::string_view::npos)
            return false;
        const std::string_view text = rest_.substr(0, end);
        double seconds = 0;
        auto parsed = std::from_chars(text.data(), text.data() + text.size(), seconds);
        if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
            return false;
        auto date = FileOperation::dateFromSecondsSinceReferenceDate(seconds);
        if (!date || nlohmann::json(FileOperation::secondsSinceReferenceDate(*date)).dump() != text)
            return false;
        rest_.remove_prefix(end);
        return true;
    }

    bool item() {
        if (!literal("{"))
            return false;
        if (literal("}"))
            return true;
        if (literal("\"from\":")) {
            if (!string())
                return false;
            if (literal("}"))
                return true;
            if (!literal(","))
                return false;
        }
        return literal("\"to\":") && string() && literal("}");
    }

    bool operation() {
        if (!literal("{\"id\":") || !string() || !literal(",\"items\":["))
            return false;
        if (!literal("]")) {
            do {
                if (!item())
                    return false;
            } while (literal(","));
            if (!literal("]"))
                return false;
        }
        if (!literal(",\"kind\":") || !string() || !FileOperation::kindFromRawValue(lastString()))
            return false;
        if (!literal(",\"timestamp\":") || !timestamp())
            return false;
        if (!literal(",\"undone\":") || !(literal("true") || literal("false")))
            return false;
        return literal("}");
    }

private:
    std::string_view rest_;
    std::string_view last_;
};

} // namespace

std::optional<std::vector<std::string_view>> HistoryText::compactEntries(std::string_view file) {
    bool ascii = true;
    for (char c : file) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20)
            return std::nullopt;
        ascii = ascii && byte < 0x80;
    }
    if (!ascii && !UnicodeText::isValidUTF8(file))
        return std::nullopt;
    CompactReader reader(file);
    if (!reader.literal("["))
        return std::nullopt;
    std::vector<std::string_view> entries;
    if (reader.literal("]"))
        return reader.rest().empty() ? std::optional(entries) : std::nullopt;
    for (;;) {
        const std::string_view start = reader.rest();
        if (!reader.operation())
            return std::nullopt;
        entries.push_back(start.substr(0, start.size() - reader.rest().size()));
        if (reader.literal(","))
            continue;
        if (reader.literal("]") && reader.rest().empty())
            return entries;
        return std::nullopt;
    }
}

} // namespace ondravell
