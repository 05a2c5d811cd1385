#include "tests/wayland/PasswordFieldRuns.h"

#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/SessionClients.h"
#include "tests/wayland/WindowChurn.h"

#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>

namespace ondravell::test {

std::unique_ptr<SessionClient> startLogged(const std::string& program, const std::filesystem::path& root,
                                           const std::string& actions, const std::filesystem::path& log) {
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    const std::filesystem::path settings = root / "container" / "Library" / "Application Support";
    std::filesystem::create_directories(settings);
    std::ofstream(settings / "settings.v1.json")
        << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": )" << actions
        << "}";
    auto started = std::make_unique<SessionClient>(
        "/bin/sh", std::vector<std::string>{"-c", "exec \"$0\" >>\"$1\" 2>&1", program, log.string()});
    if (!eventually(programAnswers))
        return nullptr;
    return started;
}

bool isMasked(const std::string& text) {
    if (text.empty())
        return false;
    for (std::size_t i = 0; i < text.size(); i += 3)
        if (text.compare(i, 3, "\u25CF") != 0 && text.compare(i, 3, "\u2022") != 0)
            return false;
    return true;
}

namespace {

// The program's windows on screen.
std::set<unsigned long> shownWindows(pid_t program) {
    std::set<unsigned long> shown;
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.pid == program)
            shown.insert(window.id);
    return shown;
}

} // namespace

std::string runPasswordFields(const PasswordFieldRuns& runs) {
    const std::string& secret = runs.arguments.front();
    for (int run = 1; run <= runs.runs; ++run) {
        const std::string where = " in run " + std::to_string(run);
        // Windows the program showed on its own before (a welcome window) are no answer to the selection.
        const std::set<unsigned long> before = shownWindows(runs.program);
        SessionClient client(runs.client, runs.arguments, runs.environment);
        if (!runs.focus(client.pid()))
            return "the password field never showed" + where;
        bool selected = false;
        for (int attempt = 0; attempt < 20 && !selected; ++attempt) {
            runs.select();
            selected =
                eventually([] { return isMasked(x11PrimaryText().value_or("")); }, std::chrono::seconds(1));
        }
        if (!selected)
            return "PRIMARY never held the field's mask characters" + where +
                   "; PRIMARY: " + x11PrimaryText().value_or("(none)");
        const auto until = std::chrono::steady_clock::now() + runs.absenceWait;
        while (std::chrono::steady_clock::now() < until) {
            for (const auto& window : X11Windows::all())
                if (window.viewable && window.pid == runs.program && !before.contains(window.id))
                    return "the program showed a window (\"" + window.name + "\") over the password field" +
                           where;
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        const std::string clipboard = x11ClipboardText().value_or("");
        if (clipboard.find(secret) != std::string::npos || isMasked(clipboard))
            return "the clipboard holds the field's text" + where;
        if (x11PrimaryText().value_or("").find(secret) != std::string::npos)
            return "PRIMARY holds the secret" + where;
    }
    return "";
}

} // namespace ondravell::test
