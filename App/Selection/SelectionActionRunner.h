#pragma once

#include "core/Models/SelectionAction.h"

#include <QPointF>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ondravell {

struct OndravellSettings;
struct SelectionActionPlan;

namespace platform {
class DesktopOpener;
class FocusedText;
class KeySynthesizer;
class OneShotTimers;
class Pasteboard;
class TaskQueue;
class Translator;
class WindowFocus;
} // namespace platform

// Carries out a toolbar action on the selected text: hands links, files and words to the desktop,
// writes the clipboard with a toast, or shows the result in the result panel, whose copy and replace
// buttons it serves. A replace puts the value in place of the selection through the accessibility
// bus's editable text, where the services offer that; otherwise it puts the value on the clipboard,
// gives the keyboard back to the window that had it before the panel and presses Ctrl+V there, or,
// where synthesised keys cannot reach that window, asks the user in a toast to paste. Transforms run
// on a worker, and the main thread only shows their result, unless a later action or a change of the
// panel made it stale. A result that takes longer than `busyDelay` shows the panel at once with a
// busy line, and fills it when done.
class SelectionActionRunner {
public:
    struct Services {
        platform::Pasteboard* pasteboard = nullptr;
        platform::KeySynthesizer* keys = nullptr;
        platform::DesktopOpener* opener = nullptr;
        platform::Translator* translator = nullptr;
        platform::WindowFocus* focus = nullptr;
        std::function<OndravellSettings()> loadSettings;
        std::function<void(const std::string& message, const std::string& symbol)> toast;
        // Where the transforms of long selections are worked out; without one they run at once.
        platform::TaskQueue* queue = nullptr;
        // What times the busy line; without timers a slow result shows only when done.
        platform::OneShotTimers* timers = nullptr;
        // Replaces the selection in another application's editable text (a Wayland session).
        platform::FocusedText* focusedText = nullptr;
        // Whether synthesised keys reach the window that has the keyboard now; unset: they do.
        std::function<bool()> keysReachFocusedWindow;
    };

    static constexpr std::chrono::milliseconds busyDelay{300};

    explicit SelectionActionRunner(Services services);
    ~SelectionActionRunner();
    SelectionActionRunner(const SelectionActionRunner&) = delete;
    SelectionActionRunner& operator=(const SelectionActionRunner&) = delete;

    // `at` is the point the bar was shown for, in the desktop's logical coordinates.
    void run(SelectionAction::Kind kind, const std::string& text, QPointF at);

    // Readies the result views once, at a moment the user is not waiting: the first result of a
    // process would otherwise spend a few hundred milliseconds loading fonts, pictures and styles.
    void prepareViews();

    void copy(const std::string& value);
    void replace(const std::string& value);

private:
    void carryOut(const SelectionActionPlan& plan, QPointF at);
    void showTranslation(const SelectionActionPlan& plan, QPointF at);
    void rememberFocus();
    void showBusy(SelectionAction::Kind kind, QPointF at);
    void cancelBusyTimer();
    void paste(const std::string& value);

    Services services_;
    std::optional<std::uint64_t> focusBeforePanel_;
    bool keysReachFocusBeforePanel_ = true;
    // The selection the last action ran on, which a replace puts the result in place of.
    std::string selectedText_;
    // Counts the runs, so that a result worked out for an earlier one is dropped.
    std::uint64_t runs_ = 0;
    // The panel's generation that the result of the latest worked-out run may replace: the one before
    // the run, or its busy line.
    std::uint64_t wanted_ = 0;
    std::optional<std::uint64_t> busyTimer_;
    bool busyShown_ = false;
    bool viewsPrepared_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell
