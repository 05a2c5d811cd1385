#pragma once

#include <QPointer>
#include <filesystem>

namespace ondravell {

class KeyablePanel;

// Owns the one new-file form: a new request replaces an open form, and the form closes when it loses
// the keyboard, is cancelled or has created its file. Main thread only.
class NewFileWindowController {
public:
    static NewFileWindowController& shared();

    // Opens the form for `directory` (which need not exist) 80 pixels above the centre of the screen
    // under the pointer, in front and with the keyboard.
    void show(const std::filesystem::path& directory);
    void close();
    // Whether a compositor shows the form's rounded corners see-through (set once at start-up).
    void setTranslucent(bool translucent) { translucent_ = translucent; }

private:
    NewFileWindowController() = default;

    QPointer<KeyablePanel> panel_;
    bool translucent_ = false;
};

} // namespace ondravell
