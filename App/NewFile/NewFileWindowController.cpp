#include "App/NewFile/NewFileWindowController.h"

#include "App/NewFile/KeyablePanel.h"
#include "App/NewFile/NewFileView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace ondravell {

namespace {
// The form stands this far above the centre of the screen.
constexpr int raisedAboveCentre = 80;
} // namespace

NewFileWindowController& NewFileWindowController::shared() {
    static NewFileWindowController controller;
    return controller;
}

void NewFileWindowController::close() {
    // Hiding the active panel reports its loss of focus at once, which closes again: the panel is let
    // go of first, so that inner close finds nothing left to do.
    KeyablePanel* panel = panel_;
    panel_ = nullptr;
    if (!panel)
        return;
    panel->hide();
    // Closing may come from within the panel's own event (a button, a shortcut, focus loss).
    panel->deleteLater();
}

void NewFileWindowController::show(const std::filesystem::path& directory) {
    close();
    auto* view = new NewFileView(directory, [] { NewFileWindowController::shared().close(); });
    auto* panel = new KeyablePanel(view, translucent_, NewFileView::cornerRadius);
    panel->adjustSize();
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        panel->move(available.center().x() - panel->width() / 2,
                    available.center().y() - panel->height() / 2 - raisedAboveCentre);
    }
    panel->setOnResignKey([panel] {
        if (NewFileWindowController::shared().panel_ == panel)
            NewFileWindowController::shared().close();
    });
    panel_ = panel;
    panel->orderFrontAsKey();
    view->focusName();
}

} // namespace ondravell
