#pragma once

#include "core/SharedConfig/AppGroupSettingsStore.h"
#include "core/SharedConfig/SettingsService.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <optional>
#include <string>

namespace ondravell::test {

// The whole file; nullopt when it cannot be read.
inline std::optional<std::string> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

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
