// The copy-path hot key against the real file manager: Nautilus shows a folder of two files, both
// selected, and the hot key pressed as another X client leaves their paths on the clipboard, which
// passes straight from the user's copy to the program: the file manager's module published the
// selection, so the file manager is never made to copy. The program, Nautilus and this test share a
// private X display and session bus.
#include "tests/Extensions/FinderSync/DisplayTestSupport.h"
#include "tests/Extensions/FinderSync/NautilusWithModule.h"
#include "tests/core/FileOps/TemporaryFolder.h"
#include "tests/platform/x11/X11FakeInput.h"
#include "tests/platform/x11/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;

namespace {

pid_t spawn(const std::vector<std::string>& command) {
    pid_t pid = ::fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const std::string& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

// The clipboard's text and whether it is still the file manager's copy of files, as another client
// of the display reads them; nullopt while the clipboard holds no text.
struct ClipboardText {
    std::string text;
    bool copiedFiles = false;
};

std::optional<ClipboardText> clipboardText(GdkClipboard* clipboard) {
    GdkContentFormats* formats = gdk_clipboard_get_formats(clipboard);
    if (!formats || !gdk_content_formats_contain_gtype(formats, G_TYPE_STRING))
        return std::nullopt;
    struct Answer {
        bool done = false;
        std::optional<ClipboardText> text;
    } answer;
    const bool copiedFiles = gdk_content_formats_contain_mime_type(formats, "x-special/gnome-copied-files");
    gdk_clipboard_read_text_async(
        clipboard, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* answer = static_cast<Answer*>(data);
            if (char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(source), result, nullptr)) {
                answer->text = ClipboardText{text};
                g_free(text);
            }
            answer->done = true;
        },
        &answer);
    test::spinUntil([&] { return answer.done; });
    if (answer.text)
        answer.text->copiedFiles = copiedFiles;
    return answer.text;
}

// Every window that took the clipboard, as the X server announces each change of its owner.
class ClipboardOwners {
public:
    ClipboardOwners() : display_(XOpenDisplay(nullptr)) {
        if (!display_)
            return;
        int error = 0;
        if (!XFixesQueryExtension(display_, &eventBase_, &error))
            return;
        XFixesSelectSelectionInput(display_, DefaultRootWindow(display_),
                                   XInternAtom(display_, "CLIPBOARD", False),
                                   XFixesSetSelectionOwnerNotifyMask);
        XFlush(display_);
    }
    ~ClipboardOwners() {
        if (display_)
            XCloseDisplay(display_);
    }
    // The owners announced so far, in order, none (0) left out.
    const std::vector<unsigned long>& seen() {
        while (display_ && XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == eventBase_ + XFixesSelectionNotify)
                if (unsigned long owner = reinterpret_cast<XFixesSelectionNotifyEvent*>(&event)->owner)
                    owners_.push_back(owner);
        }
        return owners_;
    }

private:
    Display* display_;
    int eventBase_ = 0;
    std::vector<unsigned long> owners_;
};

} // namespace

TEST(HotKeyNautilusSession, CopyPathHotKeyPutsBothSelectedPathsOnTheClipboard) {
    gchar* nautilusPath = g_find_program_in_path("nautilus");
    if (!nautilusPath)
        GTEST_SKIP() << "nautilus is not installed";
    g_free(nautilusPath);

    ondravell::testing::TemporaryFolder root;
    ::setenv("ONDRAVELL_CONTAINER", (root / "container").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    const fs::path folder = root / "hotkey-selection";
    for (const fs::path& made :
         {root / "container/Library/Application Support", root / "config/ondravell", folder})
        fs::create_directories(made);
    // Key code 8 is C; 0x300 is command (Super) and shift.
    ondravell::testing::writeText(
        root / "container/Library/Application Support/settings.v1.json",
        R"({"globalHotKeys": {"copy.path": {"keyCode": 8, "carbonModifiers": 768, "display": "⇧⌘C"}}})");
    // No welcome window to take the keyboard.
    ondravell::testing::writeText(root / "config/ondravell/ondravell.ini",
                                  "[General]\nhasCompletedOnboarding=true\n");
    ondravell::testing::writeText(folder / "a.txt", "a");
    ondravell::testing::writeText(folder / "b.txt", "b");
    const std::string expected = (folder / "a.txt").string() + "\n" + (folder / "b.txt").string();

    // Nautilus with the built module, which publishes its selection; where no private mount namespace
    // can show Nautilus the module, the program falls back to a copy that Nautilus makes.
    std::optional<std::vector<std::string>> withModule =
        test::nautilusWithModule(ONDRAVELL_NAUTILUS_MODULE, root / "scratch", folder);
    pid_t nautilus =
        spawn(withModule.value_or(std::vector<std::string>{"nautilus", "--new-window", folder.string()}));
    pid_t app = spawn({ONDRAVELL_APP});
    ASSERT_GT(nautilus, 0);
    ASSERT_GT(app, 0);
    std::optional<test::X11Windows::Window> window;
    EXPECT_TRUE(
        test::spinUntil([&] { return (window = test::X11Windows::viewableNamed("hotkey-selection")); },
                        std::chrono::seconds(45)))
        << "Nautilus showed no window for the folder";

    GdkDisplay* display = gdk_display_open(nullptr);
    ASSERT_NE(display, nullptr);
    GdkClipboard* clipboard = gdk_display_get_clipboard(display);
    // The user's own copy, made before the hot key.
    ClipboardOwners owners;
    gdk_clipboard_set_text(clipboard, "the user's copy");
    EXPECT_TRUE(test::spinUntil([&] { return !owners.seen().empty(); }))
        << "the user's copy never took the clipboard";
    test::X11FakeInput input;
    std::optional<ClipboardText> seen;
    // Each round makes the window active, selects everything and presses the hot key; early rounds may
    // come before Nautilus listed the folder or the program grabbed the keys. A loaded machine starts
    // both slowly, so the rounds are bounded by time rather than by count.
    bool copied = false;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (window && !copied && std::chrono::steady_clock::now() < giveUp) {
        input.setActiveWindow(window->id);
        input.focusWindow(window->id);
        // A click on the empty part of the file view gives it the keyboard; Ctrl+A selects both files.
        input.moveTo(window->x + window->width * 3 / 5, window->y + window->height * 3 / 5);
        input.click(1);
        input.pressKeys({"Control_L", "a"});
        input.pressKeys({"Super_L", "Shift_L", "c"});
        copied = test::spinUntil(
            [&] {
                seen = clipboardText(clipboard);
                return seen && seen->text == expected && !seen->copiedFiles;
            },
            std::chrono::seconds(1));
    }
    const std::vector<unsigned long> allOwners = owners.seen();
    gdk_display_close(display);
    stop(app);
    stop(nautilus);

    ASSERT_TRUE(seen.has_value()) << "the clipboard never held text";
    EXPECT_EQ(seen->text, expected);
    EXPECT_FALSE(seen->copiedFiles) << "the file manager's own copy was left on the clipboard";
    if (!withModule)
        return;
    // The user's copy, then the program's paths: nobody else held the clipboard in between.
    ASSERT_FALSE(allOwners.empty());
    const std::set<unsigned long> later(allOwners.begin() + 1, allOwners.end());
    EXPECT_EQ(later.size(), 1u) << "the clipboard passed through another owner before the paths";
}
