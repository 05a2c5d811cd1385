#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>

namespace ondravell::test {

// Windows of other applications coming and going around the running program, as through a user's day:
// GTK 3 text-field windows, each a process of its own, open one after another with at most four at a
// time; the oldest goes when a new one has come, killed (SIGKILL), ended (SIGTERM) or closed (its
// window closed, its program ending normally) in turn. Every `selectEvery`th window, and the last one,
// gets a selection; the toolbar must show for it, and its one button (copy) must copy the selected text.
struct WindowChurn {
    std::string client;           // the GTK 3 text-field client
    std::filesystem::path folder; // where each window's text file goes
    int windows = 200;            // ONDRAVELL_CHURN_WINDOWS sets another count, for a longer run by hand
    int selectEvery = 40;
    std::function<bool()> programRunning;
    // Gives the window just shown (its program `pid`) the focus, as the desktop would; `index` counts
    // the windows shown so far.
    std::function<void(pid_t pid, int index)> focus;
    // Selects the focused window's text with the user's input.
    std::function<void()> select;
    std::function<void(int x, int y)> click;
};

class SessionClient;

// Starts `program` with the toolbar on, automatic, with its copy button alone, in settings under
// `root` (which becomes ONDRAVELL_CONTAINER); nullptr when it never takes its bus name.
std::unique_ptr<SessionClient> startWithCopyBar(const std::string& program,
                                                const std::filesystem::path& root);
// True while the program's bus name has an owner.
bool programAnswers();

// Runs the windows; an empty string when the program lived through them all and answered every
// selection, else what went wrong and at which window.
std::string runWindowChurn(const WindowChurn& churn);

} // namespace ondravell::test
