#include "App/MainWindow/SettingsNavigation.h"

namespace ondravell {

std::string_view SettingsNavigation::title(Section section) {
    switch (section) {
    case Section::general:
        return "通用";
    case Section::finder:
        return "Finder 右键";
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

void SettingsNavigation::select(Section section) {
    if (section == current_)
        return;
    back_.push_back(current_);
    forward_.clear();
    current_ = section;
}

void SettingsNavigation::goBack() {
    if (back_.empty())
        return;
    forward_.push_back(current_);
    current_ = back_.back();
    back_.pop_back();
}

void SettingsNavigation::goForward() {
    if (forward_.empty())
        return;
    back_.push_back(current_);
    current_ = forward_.back();
    forward_.pop_back();
}

} // namespace ondravell
