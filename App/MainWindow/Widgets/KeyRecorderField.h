#pragma once

#include "core/SharedConfig/HotKeySpec.h"

#include <QWidget>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QToolButton;

namespace ondravell {

namespace platform {
class KeyboardLayout;
}

// Shows one global key combination and records a new one from the next key press. While it records,
// it takes every key press of the application before any widget, menu or shortcut sees it: the
// first key that is not a modifier ends the recording, and only a key held with Control, Alt, Shift or
// Super is reported. So that a combination already in use reaches it too, the program's own hot keys
// are released while it records (HotKeyManager) and it holds the keyboard, ahead of other programs'
// key grabs. One recorder listens at a time: starting one stops any other. It stores nothing: the owner keeps
// the combination and passes it back; a combination that another program holds is shown with a note saying
// so.
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
    // "已被其他程序占用", shown beside a combination that another program holds.
    QLabel* note() const { return note_; }

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
    QLabel* note_;
    std::optional<HotKeySpec> hotKey_;
    bool recording_ = false;
};

} // namespace ondravell
