#include "platform/glib/WaylandSessionTrust.h"

#include "platform/glib/ShellExtensionBus.h"

namespace ondravell::platform {

std::optional<std::string> WaylandSessionTrust::missingServices() {
    if (std::optional<std::string> missing = base_.missingServices())
        return missing;
    std::optional<bool> told = extensionTold_ ? extensionTold_() : std::nullopt;
    if (told ? *told : ShellExtensionBus::answers())
        return std::nullopt;
    return std::string(
        "未检测到 Ondravell 的 GNOME Shell 扩展：快捷键改用系统自定义快捷键，Wayland 窗口里认不出"
        "当前窗口。运行 scripts/run 安装扩展，首次安装后注销并重新登录一次即可。");
}

} // namespace ondravell::platform
