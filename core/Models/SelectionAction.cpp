#include "core/Models/SelectionAction.h"

#include "core/Models/CaseNamed.h"
#include "core/SharedConfig/ODLocalized.h"

#include <algorithm>

namespace ondravell {

const std::array<SelectionAction::Kind, 15> SelectionAction::allKinds{
    Kind::translate,    Kind::dictionary,   Kind::search,    Kind::copyText, Kind::wordCount,
    Kind::openDetected, Kind::caseConvert,  Kind::encode,    Kind::jsonTool, Kind::calculate,
    Kind::timestamp,    Kind::colorPreview, Kind::cleanText, Kind::qrCode,   Kind::askAI,
};

std::string SelectionAction::localizedTitle() const {
    return ODLocalizedKey(titleKey);
}

std::string_view SelectionAction::rawValue(Kind kind) {
    switch (kind) {
    case Kind::translate:
        return "translate";
    case Kind::dictionary:
        return "dictionary";
    case Kind::search:
        return "search";
    case Kind::copyText:
        return "copyText";
    case Kind::wordCount:
        return "wordCount";
    case Kind::openDetected:
        return "openDetected";
    case Kind::caseConvert:
        return "caseConvert";
    case Kind::encode:
        return "encode";
    case Kind::jsonTool:
        return "jsonTool";
    case Kind::calculate:
        return "calculate";
    case Kind::timestamp:
        return "timestamp";
    case Kind::colorPreview:
        return "colorPreview";
    case Kind::cleanText:
        return "cleanText";
    case Kind::qrCode:
        return "qrCode";
    case Kind::askAI:
        return "askAI";
    }
    return "translate";
}

std::optional<SelectionAction::Kind> SelectionAction::kindNamed(std::string_view raw) {
    return caseNamed(
        allKinds, [](Kind kind) { return rawValue(kind); }, raw);
}

const std::vector<SelectionAction>& SelectionAction::builtins() {
    static const std::vector<SelectionAction> actions{
        {Kind::translate, "翻译", "translate", std::nullopt, true},
        {Kind::dictionary, "查词典", "character.book.closed", std::nullopt, true},
        {Kind::search, "搜索", "magnifyingglass", std::nullopt, true},
        {Kind::copyText, "复制", "doc.on.doc", std::nullopt, true},
        {Kind::askAI, "问 AI", "sparkle", "AI", true},
        {Kind::openDetected, "打开", "arrow.up.right.square", std::nullopt, true},
        {Kind::wordCount, "字数统计", "number", "SIZE", true},
        {Kind::caseConvert, "命名转换", "textformat", "Aa", true},
        {Kind::encode, "编码/解码", "arrow.left.arrow.right", "B64", true},
        {Kind::jsonTool, "JSON", "curlybraces", "{JSON}", true},
        {Kind::calculate, "计算", "plus.forwardslash.minus", std::nullopt, true},
        {Kind::timestamp, "时间戳", "clock", std::nullopt, true},
        {Kind::colorPreview, "颜色", "paintpalette", std::nullopt, true},
        {Kind::cleanText, "文本清理", "sparkles", std::nullopt, true},
        {Kind::qrCode, "二维码", "qrcode", std::nullopt, false},
    };
    return actions;
}

std::vector<SelectionAction> SelectionAction::builtinsNamedIn(const std::vector<std::string>& ids) {
    std::vector<std::pair<std::size_t, const SelectionAction*>> placed;
    for (const SelectionAction& action : builtins()) {
        auto first = std::find(ids.begin(), ids.end(), action.id());
        if (first != ids.end())
            placed.emplace_back(static_cast<std::size_t>(first - ids.begin()), &action);
    }
    std::ranges::sort(placed, {}, &std::pair<std::size_t, const SelectionAction*>::first);
    std::vector<SelectionAction> ordered;
    ordered.reserve(placed.size());
    for (const auto& [position, action] : placed)
        ordered.push_back(*action);
    return ordered;
}

} // namespace ondravell
