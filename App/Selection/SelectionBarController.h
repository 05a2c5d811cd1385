#pragma once

#include "App/Selection/OutsideClickMonitor.h"
#include "core/Models/SelectionAction.h"
#include "platform/GlobalMouseMonitors.h"

#include <QPointF>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace ondravell {

struct OndravellSettings;
class SelectionBarView;

// Owns the selection bar's floating panel: picks the actions for the selected text, builds the bar in
// the user's style, places it just above the point (below it when there is no room) and shows it
// without taking the focus from the application the text was selected in. A mouse press in any other
// application hides it; presses on the bar itself reach its buttons.
class SelectionBarController {
public:
    // Runs a toolbar action: its id, the bar's text and the point the bar was shown at. It hides the
    // bar itself when it wants it gone.
    using ActionHandler =
        std::function<void(const std::string& actionID, const std::string& text, QPointF at)>;
    struct Services {
        platform::GlobalMouseMonitors* monitors = nullptr;
        std::function<OndravellSettings()> loadSettings;
        // Whether other windows show through the bar's background (a compositing manager runs).
        bool translucent = false;
    };

    explicit SelectionBarController(Services services);
    ~SelectionBarController();
    SelectionBarController(const SelectionBarController&) = delete;
    SelectionBarController& operator=(const SelectionBarController&) = delete;

    // The application's one bar. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static SelectionBarController& shared();
    // Where the bar goes when nothing tells where the selection is (SelectionBarPlacement::fixedSpot on
    // the screens now), in the desktop's logical coordinates; nullopt without a screen.
    static std::optional<QPointF> fixedSpot();

    // Shows (or refills and moves) the bar for `text` at `at`, in the desktop's logical coordinates;
    // hides it when no action applies to the text.
    void show(const std::string& text, QPointF at);
    void hide();
    // Creates the panel and draws a bar once off screen, so that the first selection does not wait for
    // the window and the fonts.
    void prepare();
    // Without a handler, a click on an action only hides the bar.
    void setActionHandler(ActionHandler handler) { actionHandler_ = std::move(handler); }

    bool isVisible() const;
    const std::string& currentText() const { return currentText_; }
    QWidget* panel() const { return panel_.get(); }
    SelectionBarView* view() const { return view_; }

private:
    void createPanel();
    void tapped(SelectionAction::Kind kind, QPointF at);
    void installOutsideClickMonitor();
    void removeOutsideClickMonitor();

    Services services_;
    ActionHandler actionHandler_;
    std::unique_ptr<QWidget> panel_;
    SelectionBarView* view_ = nullptr;
    std::string currentText_;
    OutsideClickMonitor outsideClicks_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell
