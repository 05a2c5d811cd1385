#pragma once

#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/SettingsService.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <linux/capability.h>
#include <optional>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace ondravell::test {

// The whole file; nullopt when it cannot be read.
inline std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The settings folder made read-only for as long as this lives, so that saves fail as they do for a user
// whose folder it is. Root writes whatever the modes say: for root this thread also gives up that
// override meanwhile (capabilities are per thread, and the pages save on the thread that runs them).
class ReadOnlySettingsFolder {
public:
    explicit ReadOnlySettingsFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
        std::filesystem::permissions(folder_,
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
        if (::geteuid() == 0 && ::syscall(SYS_capget, &header_, saved_) == 0) {
            __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
            lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
            lowered_ = ::syscall(SYS_capset, &header_, lowered) == 0;
        }
    }
    ~ReadOnlySettingsFolder() {
        if (lowered_)
            ::syscall(SYS_capset, &header_, saved_);
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    ReadOnlySettingsFolder(const ReadOnlySettingsFolder&) = delete;
    ReadOnlySettingsFolder& operator=(const ReadOnlySettingsFolder&) = delete;

private:
    std::filesystem::path folder_;
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

// A settings page's world: the real settings file in a fresh container.
class SettingsFileTest : public ::testing::Test {
protected:
    TempContainer container;

    std::filesystem::path settingsFile() const { return *SettingsService::settingsFileURL(); }
    void writeSettings(const std::string& bytes) const {
        std::filesystem::create_directories(settingsFile().parent_path());
        std::ofstream(settingsFile(), std::ios::binary | std::ios::trunc) << bytes;
    }
    std::optional<std::string> settingsBytes() const { return fileBytes(settingsFile()); }
    OndravellSettings stored() const { return SettingsService().load(); }
};

} // namespace ondravell::test
