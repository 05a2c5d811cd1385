#include "App/MainWindow/Models/ConditionEditorModel.h"

#include "core/Support/UnicodeText.h"

#include <algorithm>

namespace ondravell {

namespace {

constexpr std::string_view fullWidthComma = "，";
constexpr std::string_view unbounded = "不限";

// The length of the separator at the start of `text`, 0 when none is there.
std::size_t separatorAt(std::string_view text) {
    if (text.starts_with(',') || text.starts_with(' '))
        return 1;
    if (text.starts_with(fullWidthComma))
        return fullWidthComma.size();
    return 0;
}

std::string_view trimmedPiece(std::string_view piece) {
    auto first = piece.find_first_not_of(". ");
    if (first == std::string_view::npos)
        return {};
    auto last = piece.find_last_not_of(". ");
    return piece.substr(first, last - first + 1);
}

} // namespace

ConditionEditorModel::ConditionEditorModel(OndravellAction action, ActionRule rule,
                                           std::function<void(const ActionRule&)> onChange)
    : action_(std::move(action)), rule_(std::move(rule)), onChange_(std::move(onChange)) {}

void ConditionEditorModel::assign(ActionRule rule) {
    if (rule == rule_)
        return;
    rule_ = std::move(rule);
    if (onChange_)
        onChange_(rule_);
}

void ConditionEditorModel::setAppliesTo(ActionRule::TargetKind kind) {
    ActionRule next = rule_;
    next.appliesTo = kind;
    assign(next);
}

void ConditionEditorModel::setContainerScope(ActionRule::ContainerScope scope) {
    ActionRule next = rule_;
    next.containerScope = scope;
    assign(next);
}

void ConditionEditorModel::stepMinSelection(int delta) {
    ActionRule next = rule_;
    next.minSelection = stepped(rule_.minSelection, delta);
    assign(next);
}

void ConditionEditorModel::stepMaxSelection(int delta) {
    ActionRule next = rule_;
    next.maxSelection = stepped(rule_.maxSelection, delta);
    assign(next);
}

void ConditionEditorModel::setExtensionsText(std::string_view text) {
    ActionRule next = rule_;
    next.fileExtensions = extensions(text);
    assign(next);
}

void ConditionEditorModel::clear() {
    assign(ActionRule());
}

std::string ConditionEditorModel::extensionsText() const {
    std::string text;
    for (const std::string& extension : rule_.fileExtensions) {
        if (!text.empty())
            text += ", ";
        text += extension;
    }
    return text;
}

std::string ConditionEditorModel::countText(const std::optional<std::int64_t>& count) {
    return count ? std::to_string(*count) : std::string(unbounded);
}

std::optional<std::int64_t> ConditionEditorModel::stepped(const std::optional<std::int64_t>& count,
                                                          int delta) {
    std::int64_t value = count.value_or(0);
    std::int64_t next = std::clamp<std::int64_t>(value + delta, 0, maxCount);
    // At either end of its range the stepper does not move: a stored 0 stays 0.
    if (next == value || (delta > 0 && next < value))
        return count;
    if (next == 0)
        return std::nullopt;
    return next;
}

std::vector<std::string> ConditionEditorModel::extensions(std::string_view text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    auto takePiece = [&](std::size_t end) {
        std::string lower = UnicodeText::lowercased(text.substr(start, end - start));
        std::string_view piece = trimmedPiece(lower);
        if (!piece.empty())
            result.emplace_back(piece);
    };
    for (std::size_t i = 0; i < text.size();) {
        if (std::size_t length = separatorAt(text.substr(i))) {
            takePiece(i);
            i += length;
            start = i;
        } else {
            ++i;
        }
    }
    takePiece(text.size());
    return result;
}

} // namespace ondravell
