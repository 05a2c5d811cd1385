#pragma once

#include "App/Selection/OutsideClickMonitor.h"
#include "platform/GlobalMouseMonitors.h"

#include <QPointF>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace ondravell {

class ResultChrome;

// The one floating panel that shows the toolbar's results: a frameless window with the result's title
// and a close button above the content, at most 460 px wide, centred 12 px below the point (24 px
// above it near the bottom of the screen). It takes the keyboard while shown, so its texts can be
// selected and copied, and closes on its close button, a mouse press in another application, or a
// replace.
class SelectionResultWindow {
public:
    struct Services {
        platform::GlobalMouseMonitors* monitors = nullptr;
        // Whether other windows show through the panel's background (a compositing manager runs).
        bool translucent = false;
    };

    explicit SelectionResultWindow(Services services);
    ~SelectionResultWindow();
    SelectionResultWindow(const SelectionResultWindow&) = delete;
    SelectionResultWindow& operator=(const SelectionResultWindow&) = delete;

    // `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static SelectionResultWindow& shared();

    // Shows `content` (taken over; the previous content is dropped) under `title` at `at`, in the
    // desktop's logical coordinates. Showing again while shown moves and refills the same panel.
    // `whenGone` runs once, when this content is replaced or the panel closes.
    void show(QWidget* content, QPointF at, const QString& title, std::function<void()> whenGone = {});
    void close();
    // Builds the panel, then lays out and draws `content` in the panel's frame without showing it, so
    // that the fonts, pictures and styles of a result are loaded before the first one is asked for.
    // `content` is dropped afterwards.
    void prepare(QWidget* content);
    // Changes whenever the panel shows new content or closes: a result worked out meanwhile for what
    // the panel showed before is no longer wanted.
    std::uint64_t generation() const { return generation_; }
    // Lays the panel out again for content that changed its size, keeping its place.
    void refit();

    bool isVisible() const;
    QWidget* panel() const { return panel_.get(); }

private:
    void createPanel();
    void place();
    void installOutsideClickMonitor();
    void removeOutsideClickMonitor();
    void contentGone();

    Services services_;
    std::unique_ptr<QWidget> panel_;
    ResultChrome* chrome_ = nullptr;
    QPointF at_;
    std::function<void()> whenGone_;
    std::uint64_t generation_ = 0;
    OutsideClickMonitor outsideClicks_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell
