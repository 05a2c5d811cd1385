#pragma once

#include "App/MainWindow/Widgets/SettingsPage.h"

#include <string>
#include <string_view>

namespace ondravell {

// "关于": the application's icon, name and version, its two promises and the link to its web site.
class AboutView final : public SettingsPage {
public:
    static constexpr std::string_view webSite = "https://ondravell.dev/";

    explicit AboutView(QWidget* parent = nullptr);

    // The short version, a space and the build in parentheses; "—" stands for a part that is missing.
    static std::string versionText(std::string_view shortVersion, std::string_view build);

protected:
    void reload() override {}
};

} // namespace ondravell
