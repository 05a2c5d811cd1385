#include "core/Models/SearchEngine.h"

#include "core/Support/StrictJson.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace ondravell {

namespace {

bool staysUnencoded(UChar32 c) {
    if (c == '-' || c == '.' || c == '_' || c == '~')
        return true;
    return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

void appendPercentEncoded(std::string& out, std::string_view bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    for (unsigned char byte : bytes) {
        out.push_back('%');
        out.push_back(hex[byte >> 4]);
        out.push_back(hex[byte & 0x0F]);
    }
}

// A scheme ("https", "claude-cli") followed by ":" and a rest without blanks or control characters.
// Text that is not UTF-8 is no URL either.
bool isURL(std::string_view text) {
    auto colon = text.find(':');
    if (colon == 0 || colon == std::string_view::npos || colon + 1 == text.size())
        return false;
    auto isAlpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!isAlpha(text[0]))
        return false;
    for (char c : text.substr(1, colon - 1))
        if (!isAlpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0 || c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))
            return false;
    }
    return true;
}

} // namespace

std::string SearchEngine::percentEncodedQuery(std::string_view query) {
    std::string out;
    out.reserve(query.size() * 3);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(query.data());
    const auto length = static_cast<std::int32_t>(query.size());
    for (std::int32_t i = 0; i < length;) {
        std::int32_t start = i;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        auto sequence = query.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start));
        // Bytes that are not UTF-8 (c < 0) are encoded too, so they never reach the URL raw.
        if (c >= 0 && staysUnencoded(c))
            out.append(sequence);
        else
            appendPercentEncoded(out, sequence);
    }
    return out;
}

std::optional<std::string> SearchEngine::url(std::string_view query) const {
    const std::string encoded = percentEncodedQuery(query);
    std::string result;
    std::string_view rest = urlTemplate;
    for (auto at = rest.find(queryPlaceholder); at != std::string_view::npos;
         at = rest.find(queryPlaceholder)) {
        result.append(rest.substr(0, at));
        result.append(encoded);
        rest = rest.substr(at + queryPlaceholder.size());
    }
    result.append(rest);
    if (!isURL(result))
        return std::nullopt;
    return result;
}

nlohmann::json SearchEngine::toJSON() const {
    return {{"id", id}, {"name", name}, {"urlTemplate", urlTemplate}, {"autoSubmits", autoSubmits}};
}

std::optional<SearchEngine> SearchEngine::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto id = reader.requiredString("id");
    auto name = reader.requiredString("name");
    auto urlTemplate = reader.requiredString("urlTemplate");
    auto autoSubmits = reader.optionalBool("autoSubmits");
    if (!reader.ok())
        return std::nullopt;
    return SearchEngine{std::move(*id), std::move(*name), std::move(*urlTemplate),
                        autoSubmits.value_or(false)};
}

const std::vector<SearchEngine>& SearchEngine::builtins() {
    static const std::vector<SearchEngine> engines{
        {"google", "Google", "https://www.google.com/search?q={q}", false},
        {"baidu", "百度", "https://www.baidu.com/s?wd={q}", false},
        {"bing", "Bing", "https://www.bing.com/search?q={q}", false},
        {"github", "GitHub", "https://github.com/search?q={q}", false},
    };
    return engines;
}

const std::vector<SearchEngine>& SearchEngine::aiBuiltins() {
    static const std::vector<SearchEngine> assistants{
        {"claude", "Claude", "claude://claude.ai/new?q={q}", false},
        {"claude-code", "Claude Code", "claude-cli://open?q={q}", false},
        {"cursor", "Cursor", "cursor://anysphere.cursor-deeplink/prompt?text={q}", false},
        {"kimi", "Kimi", "https://www.kimi.com/_prefill_chat?prefill_prompt={q}", false},
        {"huggingchat", "HuggingChat", "https://huggingface.co/chat/?prompt={q}", false},
        {"chatgpt", "ChatGPT", "https://chatgpt.com/?q={q}", true},
        {"perplexity", "Perplexity", "https://www.perplexity.ai/search?q={q}", true},
        {"grok", "Grok", "https://grok.com/?q={q}", true},
        {"google-ai", "Google AI Mode", "https://www.google.com/search?udm=50&q={q}", true},
        {"wenxin", "文心（百度）", "https://chat.baidu.com/search?word={q}", true},
        {"mistral", "Mistral", "https://chat.mistral.ai/chat?q={q}", true},
        {"t3chat", "T3 Chat", "https://t3.chat/new?q={q}", true},
    };
    return assistants;
}

} // namespace ondravell
