#pragma once

#include "App/MainWindow/Models/HotKeysModel.h"

#include <QWidget>
#include <functional>
#include <map>
#include <string>

namespace ondravell {

class KeyRecorderField;

namespace platform {
class KeyboardLayout;
}

// "全局快捷键": a key recorder for each file-manager action that can run from a global hot key.
class HotKeysSection final : public QWidget {
public:
    HotKeysSection(const platform::KeyboardLayout* layout, std::function<void()> reloadHotKeys,
                   QWidget* parent = nullptr);

    void reload() { model_.load(); }
    HotKeysModel& model() { return model_; }
    KeyRecorderField* recorder(const std::string& id) const;

protected:
    // Each time the section comes on screen it shows what the settings file holds now.
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    HotKeysModel model_;
    std::map<std::string, KeyRecorderField*> recorders_;
};

} // namespace ondravell
