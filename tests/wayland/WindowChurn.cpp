#include "tests/wayland/WindowChurn.h"

#include "tests/platform/x11/X11Windows.h"
#include "tests/wayland/SessionClients.h"

#include <csignal>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>
#include <memory>

namespace ondravell::test {

namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::optional<X11Windows::Window> shownBar() {
    for (const auto& window : X11Windows::all())
        if (window.viewable && window.name == "Ondravell" && window.height <= 60)
            return window;
    return std::nullopt;
}

// The three ways a window goes, in turn; SIGINT makes the client close its window.
void end(SessionClient& window, int turn) {
    const int signals[] = {SIGKILL, SIGTERM, SIGINT};
    window.end(signals[turn % 3]);
}

// Selects the focused window's text until PRIMARY holds it, then waits for the bar and copies the text
// through it; empty when all went so.
std::string selectAndCopy(const WindowChurn& churn, const std::string& text) {
    bool selected = false;
    for (int attempt = 0; attempt < 20 && !selected; ++attempt) {
        churn.select();
        selected = eventually([&] { return x11PrimaryText() == text; }, std::chrono::seconds(1));
    }
    if (!selected)
        return "the selection never reached PRIMARY";
    if (!eventually([] { return shownBar().has_value(); }))
        return "no bar for the selection";
    auto bar = *shownBar();
    churn.click(bar.x + bar.width / 2, bar.y + bar.height / 2);
    if (!eventually([&] { return x11ClipboardText() == text; }))
        return "the bar's copy did not copy the selection; CLIPBOARD: " +
               x11ClipboardText().value_or("(none)") +
               (shownBar() ? ", the bar still shown" : ", the bar gone");
    return "";
}

} // namespace

std::unique_ptr<SessionClient> startWithCopyBar(const std::string& program,
                                                const std::filesystem::path& root) {
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    const std::filesystem::path settings = root / "container" / "Library" / "Application Support";
    std::filesystem::create_directories(settings);
    std::ofstream(settings / "settings.v1.json")
        << R"({"selectionEnabled": true, "selectionTriggerAuto": true, "selectionActionIDs": ["copyText"]})";
    auto started = std::make_unique<SessionClient>(program, std::vector<std::string>{});
    if (!eventually(programAnswers))
        return nullptr;
    return started;
}

bool programAnswers() {
    return nameHasOwner("K3WQ9ZD7TM.dev.ondravell.Ondravell");
}

std::string runWindowChurn(const WindowChurn& churn) {
    const char* count = std::getenv("ONDRAVELL_CHURN_WINDOWS");
    const int windows = count ? std::atoi(count) : churn.windows;
    std::deque<std::unique_ptr<SessionClient>> open;
    for (int index = 1; index <= windows; ++index) {
        const std::string where = " at window " + std::to_string(index);
        const std::string text = "churn window " + std::to_string(index);
        const std::filesystem::path textFile = churn.folder / ("window-" + std::to_string(index) + ".txt");
        open.push_back(
            std::make_unique<SessionClient>(churn.client, std::vector<std::string>{text, textFile}));
        // The client writes its text once its window is shown.
        if (!eventually([&] { return fileText(textFile) == text; }))
            return "the window never showed" + where;
        churn.focus(open.back()->pid(), index);
        if (index % churn.selectEvery == 0 || index == windows)
            if (std::string failed = selectAndCopy(churn, text); !failed.empty())
                return failed + where;
        if (open.size() > 3) {
            end(*open.front(), index);
            open.pop_front();
        }
        if (!churn.programRunning())
            return "the program ended" + where;
    }
    return "";
}

} // namespace ondravell::test
