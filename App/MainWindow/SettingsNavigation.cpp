#include "App/MainWindow/SettingsNavigation.h"

#include "core/SharedConfig/ODLocalized.h"

namespace ondravell {

std::string_view SettingsNavigation::title(Section section) {
    switch (section) {
    case Section::general:
        return "通用";
    case Section::finder:
        return "文件管理器右键";
    case Section::templates:
        return "新建文件模板";
    case Section::selection:
        return "划词";
    case Section::history:
        return "操作历史";
    case Section::about:
        return "关于";
    }
    return {};
}

std::optional<SettingsNavigation::Section> SettingsNavigation::sectionNamed(std::string_view name) {
    for (Section section : allSections)
        if (title(section) == name)
            return section;
    return std::nullopt;
}

std::string_view SettingsNavigation::symbol(Section section) {
    switch (section) {
    case Section::general:
        return "gearshape";
    case Section::finder:
        return "filemenu.and.cursorarrow";
    case Section::templates:
        return "doc.badge.plus";
    case Section::selection:
        return "cursorarrow.and.square.on.square.dashed";
    case Section::history:
        return "clock.arrow.circlepath";
    case Section::about:
        return "info.circle";
    }
    return {};
}

std::string SettingsNavigation::currentTitle() const {
    return ODLocalizedKey(title(selection()));
}

void SettingsNavigation::setSelection(Section section) {
    if (section == selection())
        return;
    history_.resize(index_ + 1);
    history_.push_back(section);
    index_ = history_.size() - 1;
    updateFlags();
    announce();
}

void SettingsNavigation::goBack() {
    if (canGoBack_)
        step(-1);
}

void SettingsNavigation::goForward() {
    if (canGoForward_)
        step(1);
}

void SettingsNavigation::step(std::ptrdiff_t distance) {
    index_ = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(index_) + distance);
    updateFlags();
    announce();
}

void SettingsNavigation::updateFlags() {
    canGoBack_ = index_ > 0;
    canGoForward_ = index_ + 1 < history_.size();
}

std::size_t SettingsNavigation::addObserver(std::function<void()> observer) {
    observers_.emplace_back(++nextToken_, std::move(observer));
    return nextToken_;
}

void SettingsNavigation::removeObserver(std::size_t token) {
    std::erase_if(observers_, [token](const auto& entry) { return entry.first == token; });
}

void SettingsNavigation::announce() const {
    // A copy: an observer may remove itself or another while the change is announced.
    auto observers = observers_;
    for (const auto& [token, observer] : observers)
        observer();
}

} // namespace ondravell
