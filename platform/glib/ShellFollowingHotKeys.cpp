#include "platform/glib/ShellFollowingHotKeys.h"

#include "platform/glib/ShellExtensionBus.h"
#include "platform/glib/ShellFrontmostApplication.h"

namespace ondravell::platform {

ShellFollowingHotKeys::ShellFollowingHotKeys(ShellFrontmostApplication& shell, std::string appBusName,
                                             KeyName keyName, Maker withoutExtension)
    : shell_(shell),
      appBusName_(std::move(appBusName)),
      keyName_(std::move(keyName)),
      withoutExtension_(std::move(withoutExtension)) {
    shell_.setExtensionChangeHandler([this](bool runs) { follow(runs); });
    // The extension tells of itself only once this process owns the program's name, which start-up
    // takes last: until then the Shell's answer picks the road. A Shell too busy to answer in time
    // counts as one without the extension, until the extension tells otherwise.
    ShellExtensionBus::askWhetherAnswers([this, alive = alive_](bool answers) {
        if (*alive && !shell_.extensionRuns())
            follow(answers);
    });
}

ShellFollowingHotKeys::~ShellFollowingHotKeys() {
    *alive_ = false;
    shell_.setExtensionChangeHandler(nullptr);
}

void ShellFollowingHotKeys::follow(bool extensionRuns) {
    if (throughExtension_ == extensionRuns)
        return;
    throughExtension_ = extensionRuns;
    if (extensionRuns) {
        auto extensionHotKeys = std::make_unique<ShellExtensionHotKeys>(appBusName_, keyName_);
        extensionHotKeys_ = extensionHotKeys.get();
        hotKeys_.choose(std::move(extensionHotKeys));
    } else {
        extensionHotKeys_ = nullptr;
        hotKeys_.choose(withoutExtension_());
    }
}

} // namespace ondravell::platform
