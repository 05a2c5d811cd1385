#pragma once

#include "core/SharedConfig/HotKeySpec.h"

#include <QWidget>
#include <functional>
#include <optional>

class QPushButton;
class QToolButton;

namespace ondravell {

namespace platform {
class KeyboardLayout;
}

// Shows one global key combination and records a new one from the next key press. While it records,
// it takes every key press of the application before any widget, menu or shortcut sees it: the
// first key that is not a modifier ends the recording, and only a key held with Control, Alt, Shift or
// Super is reported. It stores nothing: the owner keeps the combination and passes it back.
class KeyRecorderField final : public QWidget {
public:
    // Without a keyboard layout no key can be recorded.
    explicit KeyRecorderField(const platform::KeyboardLayout* layout, QWidget* parent = nullptr);
    ~KeyRecorderField() override;

    void setHotKey(const std::optional<HotKeySpec>& hotKey);
    // A new combination, or none when the user cleared it.
    std::function<void(const std::optional<HotKeySpec>&)> onChange;

    bool isRecording() const { return recording_; }
    QPushButton* button() const { return button_; }
    QToolButton* clearButton() const { return clear_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void startRecording();
    void stopRecording();
    void refresh();

    const platform::KeyboardLayout* layout_;
    QPushButton* button_;
    QToolButton* clear_;
    std::optional<HotKeySpec> hotKey_;
    bool recording_ = false;
};

} // namespace ondravell
