#include "App/Selection/SelectionActionPlan.h"

#include "core/FileOps/LocalDateText.h"
#include "core/Models/SearchEngine.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "core/Support/UnicodeText.h"
#include "core/TextProcessing/Calculator.h"
#include "core/TextProcessing/CaseConverter.h"
#include "core/TextProcessing/Characters.h"
#include "core/TextProcessing/JSONTool.h"
#include "core/TextProcessing/TextCleaner.h"
#include "core/TextProcessing/TextEncoder.h"

#include <charconv>
#include <chrono>
#include <cmath>

namespace ondravell {

namespace {

using Plan = SelectionActionPlan;
using Effect = SelectionActionPlan::Effect;

Plan planOf(Effect kind, std::string text) {
    Plan plan;
    plan.effect = kind;
    plan.text = std::move(text);
    return plan;
}

Plan rows(std::string_view title, std::vector<Plan::Row> rows, bool copyable,
          std::optional<std::string> replaceValue = std::nullopt) {
    Plan plan;
    plan.effect = Effect::showRows;
    plan.title = ODLocalized(title);
    plan.rows = std::move(rows);
    plan.copyable = copyable;
    plan.replaceValue = std::move(replaceValue);
    return plan;
}

// The first engine whose id is `id`, built-ins before the user's own; the first built-in otherwise.
const SearchEngine& chosenEngine(const std::vector<SearchEngine>& builtins,
                                 const std::vector<SearchEngine>& custom, const std::string& id) {
    for (const auto* list : {&builtins, &custom})
        for (const SearchEngine& engine : *list)
            if (engine.id == id)
                return engine;
    return builtins.front();
}

std::string lowercaseScheme(std::string_view url) {
    const std::size_t colon = url.find(':');
    std::string scheme(url.substr(0, colon == std::string_view::npos ? 0 : colon));
    for (char& c : scheme)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return scheme;
}

std::string_view firstCharacters(std::string_view text, std::size_t limit) {
    if (!UnicodeText::hasMoreGraphemesThan(text, limit))
        return text;
    std::size_t count = 0;
    std::size_t end = 0;
    Characters::forEach(text, [&](std::string_view character) {
        if (count == limit)
            return false;
        ++count;
        end = std::size_t(character.data() + character.size() - text.data());
        return true;
    });
    return text.substr(0, end);
}

// The query is cut as an AI assistant's is: a browser opens no URL of a 5 MB selection.
Plan search(std::string_view text, const OndravellSettings& settings) {
    const SearchEngine& engine = chosenEngine(SearchEngine::builtins(), settings.selectionCustomEngines,
                                              settings.selectionSearchEngineID);
    std::optional<std::string> url = engine.url(firstCharacters(text, Plan::maxQueryCharacters));
    return url ? planOf(Effect::openURL, std::move(*url)) : Plan{};
}

Plan askAI(std::string_view text, const OndravellSettings& settings) {
    const SearchEngine& engine = chosenEngine(SearchEngine::aiBuiltins(), settings.selectionCustomAIEngines,
                                              settings.selectionAIEngineID);
    const std::string_view query = firstCharacters(text, Plan::maxQueryCharacters);
    std::optional<std::string> url = engine.url(query);
    if (!url)
        return {};
    const std::string scheme = lowercaseScheme(*url);
    if (scheme.empty() || scheme == "http" || scheme == "https")
        return planOf(Effect::openURL, std::move(*url));
    Plan plan = planOf(Effect::openAppURL, std::move(*url));
    plan.engineName = engine.name;
    if (engine.id == "claude")
        plan.fallbackURL =
            SearchEngine{"claude-web", "Claude", "https://claude.ai/new?q={q}", false}.url(query);
    return plan;
}

// Only links a browser or a mail client opens leave the toolbar; application schemes, remote file
// schemes and script URLs found in a selection are searched for instead.
Plan openDetected(std::string_view text, const OndravellSettings& settings) {
    for (const TextInspector::Detected& found : TextInspector::detect(text)) {
        using Kind = TextInspector::Detected::Kind;
        if (found.kind == Kind::url) {
            const std::string scheme = lowercaseScheme(found.text);
            if (scheme == "http" || scheme == "https" || scheme == "mailto")
                return planOf(Effect::openURL, found.text);
            break;
        }
        if (found.kind == Kind::email)
            return planOf(Effect::openURL, "mailto:" + found.text);
        if (found.kind == Kind::filePath)
            return planOf(Effect::revealFile, found.text);
    }
    return search(text, settings);
}

std::string decimal(std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

Plan wordCount(std::string_view text) {
    const TextInspector::Counts counts = TextInspector::count(text);
    return rows("字数统计",
                {{ODLocalized("字符"), decimal(counts.characters)},
                 {ODLocalized("不含空白"), decimal(counts.charactersNoSpace)},
                 {ODLocalized("中日韩字"), decimal(counts.cjkCharacters)},
                 {ODLocalized("英文词"), decimal(counts.latinWords)},
                 {ODLocalized("行数"), decimal(counts.lines)}},
                false);
}

Plan caseConvert(std::string_view text) {
    std::vector<Plan::Row> list;
    const std::pair<const char*, NamingStyle> styles[] = {
        {"camelCase", NamingStyle::camelCase},   {"PascalCase", NamingStyle::pascalCase},
        {"snake_case", NamingStyle::snakeCase},  {"kebab-case", NamingStyle::kebabCase},
        {"CONSTANT", NamingStyle::constantCase}, {"Title Case", NamingStyle::titleCase},
    };
    for (const auto& [label, style] : styles)
        list.push_back({label, CaseConverter::convert(text, style, "en_US")});
    return rows("命名转换", std::move(list), true);
}

Plan encode(std::string_view text) {
    std::vector<Plan::Row> list = {
        {"Base64", TextEncoder::base64Encode(text, false)},
        {"URL", TextEncoder::urlEncode(text)},
        {"HTML", TextEncoder::htmlEscape(text)},
        {"Unicode", TextEncoder::unicodeEscape(text)},
    };
    if (std::optional<std::string> decoded = TextEncoder::base64Decode(text))
        list.push_back({ODLocalized("Base64 解码"), std::move(*decoded)});
    if (std::optional<std::string> decoded = TextEncoder::urlDecode(text); decoded && *decoded != text)
        list.push_back({ODLocalized("URL 解码"), std::move(*decoded)});
    return rows("编码/解码", std::move(list), true);
}

Plan json(std::string_view text) {
    // One parse for the usual valid text; the second only when re-writing failed.
    std::optional<std::string> pretty = JSONTool::prettyPrint(text);
    if (!pretty && JSONTool::isValid(text))
        pretty = std::string(text);
    if (!pretty) {
        Plan plan = planOf(Effect::showMessage, ODLocalized("不是合法 JSON"));
        plan.title = "JSON";
        return plan;
    }
    Plan plan = planOf(Effect::showText, *pretty);
    plan.title = ODLocalized("JSON 格式化");
    plan.replaceValue = std::move(pretty);
    return plan;
}

Plan calculate(std::string_view text) {
    std::optional<std::string> result = Calculator::evaluateFormatted(text);
    if (!result)
        return {};
    return rows("计算", {{std::string(text), *result}}, true, *result);
}

// Spaces and tabs, but not line breaks: a number followed by a line break is no timestamp.
bool isSpaceOrTab(char32_t c) {
    return c == U'\t' || c == U' ' || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

Plan timestamp(std::string_view text) {
    const std::string_view trimmed = UnicodeText::trimming(text, isSpaceOrTab);
    double number = 0;
    const char* end = trimmed.data() + trimmed.size();
    auto parsed = std::from_chars(trimmed.data(), end, number);
    if (trimmed.empty() || parsed.ec != std::errc() || parsed.ptr != end || !std::isfinite(number))
        return {};
    // Thirteen digits are milliseconds, decided on the number as written, not on the padding around it.
    const double seconds = trimmed.size() == 13 ? number / 1000 : number;
    // 0001-01-01 00:00:00 to 9999-12-31 23:59:59 UTC: dates a four-digit year can show.
    if (!(seconds >= -62135596800.0 && seconds < 253402300800.0))
        return {};
    const auto instant =
        std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::duration<double>(std::floor(seconds))));
    return rows("时间戳",
                {{ODLocalized("本地时间"), LocalDateText::dateTime(instant)},
                 {"UTC", LocalDateText::dateTimeUTC(instant) + " (UTC)"}},
                true);
}

Plan clean(std::string_view text) {
    return rows("文本清理",
                {{ODLocalized("去多余空格"), TextCleaner::trimSpaces(text)},
                 {ODLocalized("去换行"), TextCleaner::removeLineBreaks(text)},
                 {ODLocalized("盘古之白"), TextCleaner::addPanguSpacing(text)},
                 {ODLocalized("转简体"), TextCleaner::toSimplified(text)},
                 {ODLocalized("转繁体"), TextCleaner::toTraditional(text)}},
                true);
}

} // namespace

bool SelectionActionPlan::computesInBackground(SelectionAction::Kind kind) {
    using Kind = SelectionAction::Kind;
    switch (kind) {
    case Kind::wordCount:
    case Kind::caseConvert:
    case Kind::encode:
    case Kind::jsonTool:
    case Kind::calculate:
    case Kind::cleanText:
    case Kind::qrCode:
        return true;
    default:
        return false;
    }
}

SelectionActionPlan SelectionActionPlan::make(SelectionAction::Kind kind, std::string_view text,
                                              const std::function<OndravellSettings()>& loadSettings) {
    using Kind = SelectionAction::Kind;
    auto settings = [&] { return loadSettings ? loadSettings() : OndravellSettings{}; };
    switch (kind) {
    case Kind::translate: {
        Plan plan = planOf(Effect::showTranslation, std::string(text));
        plan.title = ODLocalized("翻译");
        return plan;
    }
    case Kind::dictionary:
        // Cut as a search is: the dictionary gets it as a program's argument or in a URL.
        return planOf(Effect::lookUpWord, std::string(firstCharacters(text, Plan::maxQueryCharacters)));
    case Kind::search:
        return search(text, settings());
    case Kind::copyText:
        return planOf(Effect::copy, std::string(text));
    case Kind::wordCount:
        return wordCount(text);
    case Kind::openDetected:
        return openDetected(text, settings());
    case Kind::caseConvert:
        return caseConvert(text);
    case Kind::encode:
        return encode(text);
    case Kind::jsonTool:
        return json(text);
    case Kind::calculate:
        return calculate(text);
    case Kind::timestamp:
        return timestamp(text);
    case Kind::colorPreview: {
        std::optional<TextInspector::Color> color = TextInspector::parseColor(text);
        if (!color)
            return {};
        Plan plan = planOf(Effect::showColor, {});
        plan.title = ODLocalized("颜色");
        plan.color = *color;
        return plan;
    }
    case Kind::cleanText:
        return clean(text);
    case Kind::qrCode: {
        std::optional<QRCodeMatrix> code = QRCodeMatrix::encode(text);
        if (!code)
            return {};
        Plan plan = planOf(Effect::showQRCode, {});
        plan.title = ODLocalized("二维码");
        plan.qrCode = std::move(code);
        return plan;
    }
    case Kind::askAI:
        return askAI(text, settings());
    }
    return {};
}

} // namespace ondravell
