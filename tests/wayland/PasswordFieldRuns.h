#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ondravell::test {

// Selections in password fields of other applications while the program runs with its toolbar on: in
// each run a new client shows one password field (its program `client`, run with `arguments`: the
// field's secret text first), the field's text is selected by the user's input until PRIMARY holds the
// field's mask characters, and then, for `absenceWait`, no new window of the program may show (no bar,
// no toast); the clipboard and PRIMARY never hold the secret, nor the clipboard the mask characters.
struct PasswordFieldRuns {
    std::string client;
    std::vector<std::string> arguments;
    std::vector<std::string> environment;
    int runs = 50;
    pid_t program = -1;
    std::chrono::milliseconds absenceWait{1500};
    // Gives the window of the client just started (`pid`) the keyboard, as the desktop would; false
    // when it never showed.
    std::function<bool(pid_t pid)> focus;
    // Selects the focused field's text with the user's input.
    std::function<void()> select;
};

// An empty string when every run went so, else what went wrong and in which run.
std::string runPasswordFields(const PasswordFieldRuns& runs);

class SessionClient;

// Starts `program` with the toolbar on, automatic, with the buttons `actions` (a JSON list), in settings
// under `root` (which becomes ONDRAVELL_CONTAINER), all it writes going to `log`; nullptr when it never
// takes its bus name.
std::unique_ptr<SessionClient> startLogged(const std::string& program, const std::filesystem::path& root,
                                           const std::string& actions, const std::filesystem::path& log);

// Whether `text` is a password field's mask characters alone.
bool isMasked(const std::string& text);

} // namespace ondravell::test
