#pragma once

#include "core/SharedConfig/OndravellSettings.h"

#include <string>

namespace ondravell::test {

// Settings as a hand-edited file may hold them, far beyond what the pages add: `count` favourites, path
// templates, search engines, AI targets and excluded applications, numbered from 0; the toolbar on, so
// that its page shows its lists.
inline OndravellSettings settingsWithLongLists(int count) {
    OndravellSettings settings;
    settings.selectionEnabled = true;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        settings.favoriteTargets.push_back("/srv/folder-" + number);
        settings.customPathTemplates.push_back({"T-" + number, "格式 " + number, "{parent}/" + number});
        settings.selectionCustomEngines.push_back(
            {"E-" + number, "引擎 " + number, "https://e/?q={q}", false});
        settings.selectionCustomAIEngines.push_back(
            {"A-" + number, "AI " + number, "https://a/?q={q}", false});
        settings.selectionAppBlacklist.push_back("org.example.App" + number);
    }
    return settings;
}

} // namespace ondravell::test
