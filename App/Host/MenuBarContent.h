#pragma once

#include "App/Host/MenuBarContentModel.h"

#include <QFrame>
#include <functional>

class QLabel;
class QWidget;

namespace ondravell {

// The window that opens under the tray icon: the header, whether the file manager's extension is
// enabled, an undo row for the newest undoable operation, and the settings, history and quit commands.
// A frameless popup 300 px wide that closes when the user clicks elsewhere. Main thread only.
class MenuBarContent final : public QFrame {
public:
    struct Commands {
        std::function<void()> openSettings;
        std::function<void()> openHistory;
        std::function<void()> quit;
        // Leads the user to where the extension is switched on.
        std::function<void()> openExtensionSettings;
    };

    static constexpr int width = 300;

    MenuBarContent(MenuBarContentModel model, Commands commands);

    // Reads the state afresh and shows the popup next to `anchor` (the tray icon's place on the screen;
    // empty when the tray does not tell, then the pointer's position stands in).
    void popUp(const QRect& anchor);

    const MenuBarContentModel& model() const { return model_; }

private:
    void rebuild();
    // 300 px wide and as tall as the content.
    void fit();
    QWidget* statusBox();
    QWidget* undoBox();

    MenuBarContentModel model_;
    Commands commands_;
    QWidget* status_ = nullptr;
    QWidget* undo_ = nullptr;
};

} // namespace ondravell
