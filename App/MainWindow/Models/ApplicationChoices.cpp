#include "App/MainWindow/Models/ApplicationChoices.h"

#include "App/MainWindow/Models/SpaceTrim.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace ondravell {

namespace {

// ASCII letters folded; other bytes (the UTF-8 of Chinese names) compare as they are.
std::string folded(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

} // namespace

std::vector<platform::InstalledApplication>
applicationChoices(const platform::InstalledApplications& installed) {
    std::vector<platform::InstalledApplication> choices = installed.applications();
    std::sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) {
        return std::tuple(folded(a.displayName), a.identifier) <
               std::tuple(folded(b.displayName), b.identifier);
    });
    return choices;
}

ApplicationChoiceFilter::ApplicationChoiceFilter(std::vector<platform::InstalledApplication> choices)
    : all_(std::move(choices)), shown_(all_) {}

void ApplicationChoiceFilter::setText(const std::string& text) {
    const std::string wanted = folded(trimmingSpacesAndTabs(text));
    shown_.clear();
    for (const platform::InstalledApplication& app : all_)
        if (folded(app.displayName).find(wanted) != std::string::npos ||
            folded(app.identifier).find(wanted) != std::string::npos)
            shown_.push_back(app);
}

} // namespace ondravell
