#pragma once

#include "platform/FinderHiddenFiles.h"

namespace ondravell::platform {

// Nautilus shows hidden files while the key "show-hidden" of the GTK 4 file chooser's schema is true,
// and follows changes of it live. The schema is looked up first: a system without GTK 4's schemas has
// nothing to flip (GSettings would abort on an unknown schema).
class GSettingsFinderHiddenFiles final : public FinderHiddenFiles {
public:
    static constexpr const char* schemaID = "org.gtk.gtk4.Settings.FileChooser";
    static constexpr const char* keyName = "show-hidden";

    std::optional<bool> toggle() override;
};

} // namespace ondravell::platform
