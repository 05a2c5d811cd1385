#pragma once

#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/SettingsStore.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace ondravell {

// The settings file "Library/Application Support/settings.v1.json" in the app-group container, which
// both programs read and only the application writes. Writes replace the file atomically, so a reader
// in the other process sees the old or the new file, never a part.
class AppGroupSettingsStore final : public SettingsStore {
public:
    static constexpr std::string_view appGroupID = OndravellIPC::appGroupID;
    static constexpr std::string_view folderName = "Library/Application Support";
    static constexpr std::string_view fileName = "settings.v1.json";
    // Beside the settings file, the last file that could not be read or decoded, kept when a save
    // replaced it.
    static constexpr std::string_view corruptCopySuffix = ".corrupt";
    // A larger file is not a settings file of ours and reads as the default record.
    static constexpr std::size_t maxFileBytes = 16 * 1024 * 1024;

    // The store of the group's container, whose settings folder is created on the way (a failure to
    // create it surfaces as failed reads and writes); nullptr when there is no container.
    static std::shared_ptr<AppGroupSettingsStore> make(std::string_view appGroupID);
    // Where the group's settings file is, without creating anything; nullopt when there is no container.
    static std::optional<std::filesystem::path> fileURLFor(std::string_view appGroupID);

    explicit AppGroupSettingsStore(std::filesystem::path fileURL) : fileURL_(std::move(fileURL)) {}

    const std::filesystem::path& fileURL() const { return fileURL_; }
    std::filesystem::path corruptCopyURL() const;

    std::optional<std::string> loadData() override;
    bool save(std::string_view data) override;

private:
    bool keepFileThatDoesNotLoad();
    bool linkCorruptCopy() const;

    std::filesystem::path fileURL_;
};

} // namespace ondravell
