#include "App/HotKeys/HotKeyManager.h"

#include "App/HotKeys/FileManagerSelection.h"
#include "core/SharedConfig/OndravellSettings.h"
#include "platform/FileManagerWindows.h"
#include "platform/memory/FixedFrontmostApplication.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryAccessibilityTrust.h"
#include "platform/memory/MemoryClipboardCopier.h"
#include "platform/memory/MemoryFileManagerSelections.h"
#include "platform/memory/MemoryGlobalHotKeys.h"
#include "platform/memory/MemoryPasteboard.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace ondravell;
namespace fs = std::filesystem;
using Combination = platform::MemoryGlobalHotKeys::Combination;

namespace {

constexpr std::uint32_t cmdShift =
    platform::GlobalHotKeys::commandModifier | platform::GlobalHotKeys::shiftModifier;
const Combination copyPathKeys{0x08, cmdShift};  // C
const Combination copyFileKeys{0x03, cmdShift};  // F
const Combination newFileKeys{0x2D, cmdShift};   // N
const Combination selectionKeys{0x01, cmdShift}; // S

struct Fixture {
    platform::MemoryGlobalHotKeys hotKeys;
    platform::MemoryAccessibilityTrust trust{true};
    platform::MemoryPasteboard pasteboard;
    OndravellSettings settings;
    std::vector<fs::path> selection;
    std::optional<fs::path> frontFolder;
    std::vector<std::pair<std::string, std::string>> toasts;
    std::vector<fs::path> newFileWindows;
    int toolbarTriggers = 0;
    HotKeyManager manager{{
        &hotKeys,
        &trust,
        &pasteboard,
        [this] { return settings; },
        [this](HotKeyManager::PathsHandler done) { done(selection); },
        [this](HotKeyManager::FolderHandler done) { done(frontFolder); },
        [this](const std::string& message, const std::string& symbol) {
            toasts.emplace_back(message, symbol);
        },
        [this](const fs::path& directory) { newFileWindows.push_back(directory); },
        [this] { ++toolbarTriggers; },
    }};

    Fixture() {
        settings.globalHotKeys["copy.path"] = {copyPathKeys.first, copyPathKeys.second, "⇧⌘C"};
        settings.globalHotKeys["copy.file"] = {copyFileKeys.first, copyFileKeys.second, "⇧⌘F"};
        settings.globalHotKeys["new.file"] = {newFileKeys.first, newFileKeys.second, "⇧⌘N"};
        settings.selectionHotKey = HotKeySpec{selectionKeys.first, selectionKeys.second, "⇧⌘S"};
    }
};

} // namespace

TEST(HotKeyManagerReload, IdsKeepGrowingAcrossReloads) {
    Fixture f;
    f.manager.reload();
    // The settings' map order: copy.file, copy.path, new.file.
    EXPECT_EQ(f.manager.registeredActions(),
              (std::map<std::uint32_t, std::string>{{1, "copy.file"}, {2, "copy.path"}, {3, "new.file"}}));
    f.manager.reload();
    EXPECT_EQ(f.manager.registeredActions(),
              (std::map<std::uint32_t, std::string>{{4, "copy.file"}, {5, "copy.path"}, {6, "new.file"}}));
    EXPECT_EQ(f.hotKeys.registeredIDs().size(), 3u);
}

TEST(HotKeyManagerReload, RefusedAndUnsupportedBindingsTakeNoId) {
    Fixture f;
    f.settings.globalHotKeys["hash"] = {0x04, cmdShift, "⇧⌘H"};
    f.hotKeys.holdElsewhere(copyFileKeys);
    f.manager.reload();
    EXPECT_EQ(f.manager.registeredActions(),
              (std::map<std::uint32_t, std::string>{{1, "copy.path"}, {2, "new.file"}}));
}

TEST(HotKeyManagerReload, NothingIsHeldWhileARecorderListensAndCombinationsTakenElsewhereAreKnown) {
    Fixture f;
    f.settings.globalHotKeys["copy.file"] = {copyPathKeys.first, copyPathKeys.second, "⇧⌘C"};
    f.hotKeys.holdElsewhere(newFileKeys);
    f.manager.reload();
    f.manager.pauseForRecording();
    f.manager.pauseForRecording(); // two recorders
    EXPECT_TRUE(f.hotKeys.registeredIDs().empty());
    f.manager.reload(); // a recorded combination saved
    f.manager.resumeAfterRecording();
    EXPECT_TRUE(f.hotKeys.registeredIDs().empty());
    f.manager.resumeAfterRecording();
    f.manager.resumeAfterRecording(); // one too many: ignored
    EXPECT_EQ(f.manager.registeredActions(), (std::map<std::uint32_t, std::string>{{2, "copy.file"}}));
    EXPECT_TRUE(f.manager.heldElsewhere({newFileKeys.first, newFileKeys.second, "⇧⌘N"}));
    EXPECT_FALSE(f.manager.heldElsewhere({copyPathKeys.first, copyPathKeys.second, "⇧⌘C"}))
        << "held by the program's own copy file";
}

TEST(HotKeyManagerReload, SelectionHotKeyOnlyWhenTheToolbarIsOnAndTrusted) {
    for (auto [enabled, trusted, expected] :
         {std::tuple{true, true, true}, std::tuple{false, true, false}, std::tuple{true, false, false}}) {
        Fixture f;
        f.trust = platform::MemoryAccessibilityTrust(trusted);
        f.settings.selectionEnabled = enabled;
        f.manager.reload();
        EXPECT_EQ(f.hotKeys.press(selectionKeys), expected) << enabled << trusted;
        EXPECT_EQ(f.toolbarTriggers, expected ? 1 : 0);
        if (!enabled) {
            EXPECT_EQ(f.trust.queryCount(), 0); // trust is not asked while the toolbar is off
        }
    }
}

TEST(HotKeyManagerActions, CopyPathsAndFilesOfTheSelection) {
    Fixture f;
    f.manager.reload();

    f.selection = {};
    f.pasteboard.placeFromOutside("kept");
    f.hotKeys.press(copyPathKeys);
    f.hotKeys.press(copyFileKeys);
    EXPECT_EQ(f.pasteboard.string(), "kept"); // nothing selected: nothing changes, no toast
    EXPECT_TRUE(f.toasts.empty());

    f.selection = {"/a/one.txt"};
    f.hotKeys.press(copyPathKeys);
    EXPECT_EQ(f.pasteboard.string(), "/a/one.txt");
    f.selection = {"/a/one.txt", "/b/two", "/c d/three"};
    f.hotKeys.press(copyPathKeys);
    EXPECT_EQ(f.pasteboard.string(), "/a/one.txt\n/b/two\n/c d/three");
    f.hotKeys.press(copyFileKeys);
    ASSERT_TRUE(f.pasteboard.files());
    EXPECT_EQ(f.pasteboard.files()->paths, f.selection);
    EXPECT_FALSE(f.pasteboard.files()->cut);

    using Toast = std::pair<std::string, std::string>;
    EXPECT_EQ(f.toasts, (std::vector<Toast>{{"已复制路径", "doc.on.doc"},
                                            {"已复制 3 个路径", "doc.on.doc"},
                                            {"已复制 3 个文件", "doc.on.doc"}}));
}

TEST(HotKeyManagerActions, NewFileOpensTheFormForTheFolderAtHand) {
    Fixture f;
    fs::path root = fs::temp_directory_path() / ("hotkeys-" + std::to_string(::getpid()));
    fs::create_directories(root / "folder");
    std::ofstream(root / "file.txt") << "x";
    f.frontFolder = root / "front";
    f.manager.reload();

    f.selection = {root / "file.txt", root / "folder"};
    f.hotKeys.press(newFileKeys);
    f.selection = {root / "folder"};
    f.hotKeys.press(newFileKeys);
    f.selection = {};
    f.hotKeys.press(newFileKeys);
    f.frontFolder.reset();
    f.hotKeys.press(newFileKeys);

    EXPECT_EQ(f.newFileWindows, (std::vector<fs::path>{root, root / "folder", root / "front"}));
    fs::remove_all(root);
}

namespace {
struct FixedWindows final : platform::FileManagerWindows {
    std::optional<fs::path> folderOfWindow(const std::string& path) override {
        return path == "/org/gnome/Nautilus/window/1" ? std::optional<fs::path>("/home/u/文档")
                                                      : std::nullopt;
    }
};
} // namespace

TEST(FileManagerSelection, PrefersWhatTheModulePublishedAndAsksOnlyTheFileManagersActiveWindow) {
    platform::FixedFrontmostApplication frontmost;
    platform::MemoryFileManagerSelections published;
    platform::MemoryClipboardCopier copier;
    FixedWindows windows;
    platform::MemoryGlobalHotKeys hotKeys;
    platform::ManualOneShotTimers timers;
    FileManagerSelection fileManager(frontmost, published, {copier, hotKeys, timers}, windows);
    copier.nextCopy = platform::ClipboardCopy{std::nullopt, {"file:///a", "file:///b%20c"}, {"/a", "/b c"}};
    published.windows = {{"/org/gnome/Nautilus/window/2", fs::path("/srv"), {"/srv/x"}},
                         {"/org/gnome/Nautilus/window/3", std::nullopt, {}}};
    struct Case {
        std::optional<std::string> app, window;
        std::vector<fs::path> selection;
        std::optional<fs::path> folder;
        int copies; // synthesised copies so far
    };
    const std::string nautilus(FileManagerSelection::fileManagerID);
    const std::vector<Case> cases{
        // Another program's window is never asked.
        {"org.gnome.gedit", "/org/gnome/Nautilus/window/2", {}, std::nullopt, 0},
        // A window the module reported: its published state, no copy.
        {nautilus, "/org/gnome/Nautilus/window/2", {"/srv/x"}, fs::path("/srv"), 0},
        {nautilus, "/org/gnome/Nautilus/window/3", {}, std::nullopt, 0},
        // No window named (the session does not tell): the window that changed last.
        {nautilus, std::nullopt, {"/srv/x"}, fs::path("/srv"), 0},
        // A window the module does not know: the copy and the file manager's window list.
        {nautilus, "/org/gnome/Nautilus/window/1", {"/a", "/b c"}, fs::path("/home/u/文档"), 1},
    };
    for (const Case& c : cases) {
        frontmost.identifier = c.app;
        frontmost.objectPath = c.window;
        std::optional<std::vector<fs::path>> selection;
        std::optional<std::optional<fs::path>> folder;
        fileManager.selectedItems([&](std::vector<fs::path> paths) { selection = paths; });
        fileManager.frontWindowFolder([&](std::optional<fs::path> shown) { folder = shown; });
        EXPECT_EQ(selection, c.selection) << c.window.value_or("(none)");
        ASSERT_TRUE(folder.has_value());
        EXPECT_EQ(*folder, c.folder) << c.window.value_or("(none)");
        EXPECT_EQ(copier.calls, c.copies) << c.window.value_or("(none)");
    }

    // Hot keys delivered while their keys are still down: the copy waits until they may be up.
    hotKeys.heldAfterPress = std::chrono::milliseconds(150);
    std::optional<std::vector<fs::path>> selection;
    fileManager.selectedItems([&](std::vector<fs::path> paths) { selection = paths; });
    timers.advance(std::chrono::milliseconds(149));
    EXPECT_EQ(copier.calls, 1);
    timers.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(copier.calls, 2);
    EXPECT_EQ(selection, (std::vector<fs::path>{"/a", "/b c"}));
}
