#pragma once

#include "platform/FocusedText.h"

#include <memory>
#include <string>
#include <vector>

namespace ondravell::platform {

class HelperProcess;
class OneShotTimers;

// FocusedText through the accessibility bus, asked by a helper process (the program `helperProgram`,
// ondravell-accessibility) that follows the focus events of every application and answers the
// questions put to it. libatspi never runs in this process: it sets up the connections it opens on
// GLib's default main context, which this process's event loop runs, and it waits for each answer by
// reading those connections on the thread that asked, so in this process it would either hold up the
// event loop or share its connections with a second thread (see AtspiFocusTracker.h).
//
// The helper is started by the constructor and never waited for: start-up goes on while it reaches the
// bus. Questions and answers travel over a socket watched from the default main context: nothing here
// blocks, and answers come on the event loop's thread. Without an accessibility bus nothing is ever
// focused, no extents are known and nothing is replaced.
//
// The helper is kept running (HelperProcess): one that ends is started again. Until a new one answered,
// every question is answered with nothing at once (those waiting when the helper ended too), a settled
// focus is unknown and `answers` is false. The focus the helper before knew stands until the new one
// names a focus: it has not seen the events sent before it listened.
class AtspiFocusedText final : public FocusedText {
public:
    // How long a settled focus is waited for before it counts as unknown.
    static constexpr unsigned settledFocusLimitMs = 1000;

    explicit AtspiFocusedText(const std::string& helperProgram);
    ~AtspiFocusedText() override;
    AtspiFocusedText(const AtspiFocusedText&) = delete;
    AtspiFocusedText& operator=(const AtspiFocusedText&) = delete;

    // `process` names the process of the window with the keyboard when the program knows it (the X11
    // active window's, the Shell's focused window's); the helper then asks no other application what
    // has the focus. Without it the helper goes by the applications' own events.
    void setFocusedWindowProcess(std::function<std::optional<std::int64_t>()> process);

    std::optional<Focus> focus() override;
    bool answers() override;
    void settledFocus(std::function<void(std::optional<Focus>, bool)> done) override;
    void setSelectionLostHandler(std::function<void()> handler) override;
    void refresh() override;
    void selectionExtents(std::function<void(std::optional<Rect>)> done) override;
    void replaceSelection(std::string selected, std::string value, std::function<void(bool)> done) override;

    // The running helper's process id; nullopt while none runs.
    std::optional<int> helperPid() const;

private:
    std::vector<std::string> focusRequest(const char* kind) const;

    struct Helper;
    std::unique_ptr<Helper> helper_;
    std::unique_ptr<OneShotTimers> ownTimers_;
    std::unique_ptr<HelperProcess> process_;
};

} // namespace ondravell::platform
