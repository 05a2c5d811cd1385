#pragma once

#include "platform/GlobalHotKeys.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondravell {

struct HotKeySpec;
struct OndravellSettings;
namespace platform {
class AccessibilityTrust;
class Pasteboard;
} // namespace platform

// Registers the global hot keys of the settings and carries out their actions: the paths or files of
// the file manager's selection to the clipboard, the new-file form for the folder at hand, or the
// selection toolbar. Main thread only.
class HotKeyManager {
public:
    // The file-manager actions a hot key can be bound to, in the order the settings offer them.
    static constexpr std::array<std::string_view, 3> supportedActionIDs{"copy.path", "copy.file", "new.file"};
    static constexpr std::string_view selectionActionID = "selection.show";

    using PathsHandler = std::function<void(std::vector<std::filesystem::path>)>;
    using FolderHandler = std::function<void(std::optional<std::filesystem::path>)>;

    struct Services {
        platform::GlobalHotKeys* hotKeys = nullptr;
        platform::AccessibilityTrust* trust = nullptr;
        platform::Pasteboard* pasteboard = nullptr;
        std::function<OndravellSettings()> loadSettings;
        // The items selected in the file manager's active window, in order; empty when another
        // program's window is active or nothing is selected. The handler may run later.
        std::function<void(PathsHandler)> fileManagerSelection;
        // The folder shown by the file manager's active window, when there is one.
        std::function<void(FolderHandler)> fileManagerFolder;
        std::function<void(const std::string& message, const std::string& symbol)> showToast;
        std::function<void(const std::filesystem::path& directory)> showNewFileWindow;
        // The selection toolbar's own trigger (it reads the settings and the trust itself).
        std::function<void()> triggerSelectionToolbar;
    };

    explicit HotKeyManager(Services services);
    HotKeyManager(const HotKeyManager&) = delete;
    HotKeyManager& operator=(const HotKeyManager&) = delete;

    // The application's one manager. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static HotKeyManager& shared();

    // Unregisters every hot key and registers those of the settings as they are now. Ids keep growing
    // across reloads, so a press delivered late for an old registration finds nothing.
    void reload();
    // Runs the action of the hot key registered under `id`; an unknown id does nothing.
    void handle(std::uint32_t id);

    // The action id of every hot key registered now, by id.
    std::map<std::uint32_t, std::string> registeredActions() const;

    // While a key recorder listens, the program's own hot keys are released, so that the recorder gets
    // every combination, one of them included. Each pause ends with one resume; the last registers the
    // hot keys of the settings again (a reload in between registers nothing).
    void pauseForRecording();
    void resumeAfterRecording();
    // Whether the last registration found `hotKey` taken elsewhere: the system refused it while no hot
    // key of this program held it. Only systems that refuse at once (X11 grabs) tell this.
    bool heldElsewhere(const HotKeySpec& hotKey) const;

private:
    struct Registration {
        platform::GlobalHotKeys::Reference reference;
        std::string actionID;
        std::uint32_t keyCode = 0;
        std::uint32_t carbonModifiers = 0;
    };

    void unregisterAll();
    void registerHotKey(const HotKeySpec& hotKey, const std::string& actionID);
    void installHandlerIfNeeded();
    void copyPaths(const std::vector<std::filesystem::path>& urls);
    void copyFiles(const std::vector<std::filesystem::path>& urls);
    void openNewFileWindow(const std::vector<std::filesystem::path>& urls);
    void toast(const std::string& message);

    Services services_;
    std::map<std::uint32_t, Registration> registered_;
    bool handlerInstalled_ = false;
    std::uint32_t nextID_ = 1;
    int recordingPauses_ = 0;
    // Combinations (key code, modifiers) the last registration was refused and no registration holds.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> refused_;
};

} // namespace ondravell
