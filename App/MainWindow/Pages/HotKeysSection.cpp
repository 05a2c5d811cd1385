#include "App/MainWindow/Pages/HotKeysSection.h"

#include "App/HotKeys/HotKeyManager.h"
#include "App/MainWindow/Widgets/KeyRecorderField.h"
#include "App/MainWindow/Widgets/QtText.h"
#include "App/MainWindow/Widgets/SettingsSection.h"
#include "App/MainWindow/Widgets/SymbolIcons.h"
#include "core/Models/OndravellAction.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <algorithm>

namespace ondravell {

namespace {
constexpr int iconSize = 16;
} // namespace

HotKeysSection::HotKeysSection(const platform::KeyboardLayout* layout, std::function<void()> reloadHotKeys,
                               QWidget* parent)
    : QWidget(parent), model_(std::move(reloadHotKeys)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto* section = new SettingsSection(
        QStringLiteral("全局快捷键"),
        QStringLiteral("在文件管理器中选中文件后按快捷键即可执行（无需右键）。支持 X11 会话和 GNOME Wayland "
                       "会话：其他 Wayland 桌面下全局快捷键不可用。"));
    column->addWidget(section);
    const std::vector<OndravellAction>& builtins = OndravellAction::builtins();
    for (std::string_view id : HotKeyManager::supportedActionIDs) {
        auto action = std::ranges::find(builtins, id, &OndravellAction::id);
        if (action == builtins.end())
            continue;
        auto* row = new QWidget;
        auto* rowLayout = new QHBoxLayout(row);
        rowLayout->setContentsMargins(0, 2, 0, 2);
        auto* icon = new QLabel;
        icon->setPixmap(symbolIcon(action->systemImage, palette().color(QPalette::WindowText))
                            .pixmap(iconSize, iconSize));
        rowLayout->addWidget(icon);
        rowLayout->addWidget(new QLabel(toQString(action->localizedTitle())));
        rowLayout->addStretch(1);
        auto* recorder = new KeyRecorderField(layout);
        recorder->onChange = [this, key = std::string(id)](const std::optional<HotKeySpec>& hotKey) {
            model_.set(key, hotKey);
        };
        rowLayout->addWidget(recorder);
        recorders_[std::string(id)] = recorder;
        section->addRow(row);
    }
    model_.setObserver([this] { refresh(); });
}

KeyRecorderField* HotKeysSection::recorder(const std::string& id) const {
    auto found = recorders_.find(id);
    return found == recorders_.end() ? nullptr : found->second;
}

void HotKeysSection::refresh() {
    for (const auto& [id, recorder] : recorders_)
        recorder->setHotKey(model_.hotKey(id));
}

void HotKeysSection::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        reload();
}

} // namespace ondravell
