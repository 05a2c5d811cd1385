#pragma once

#include <QWidget>

namespace ondravell {

namespace platform {
class SystemSettingsOpener;
}

// The general page's line on the file-manager extension: enabled in green, or not enabled in orange
// with a button that shows how to enable it. The page makes it again each time it is shown.
class FinderExtensionStatusRow final : public QWidget {
public:
    FinderExtensionStatusRow(bool enabled, platform::SystemSettingsOpener* opener);
};

} // namespace ondravell
