#pragma once

#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

#include <nlohmann/json.hpp>

namespace ondravell::test {

// The extension on in-memory services, with what the application would read of its requests.
class FileActionTest : public ExtensionTest {
protected:
    std::optional<std::string> toastMessage() const {
        std::optional<std::string> bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
        if (!bytes)
            return std::nullopt;
        return nlohmann::json::parse(*bytes).at("message").get<std::string>();
    }
    std::vector<FileOperation> history() const {
        return OperationHistory::forAppGroup(OndravellIPC::appGroupID).loadAscending();
    }
    std::vector<std::string> posted() { return notificationCenter.postedNames(); }

    // A fresh folder beside the container, for the files a test makes.
    std::filesystem::path folder(const std::string& name) const { return makeFile(name, true); }
    static void writeFile(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // The item of `menu`, at any depth, whose command is for `actionID`.
    static const MenuItem* findItem(const Menu& menu, std::string_view actionID) {
        for (const MenuItem& item : menu.items) {
            if (item.command && item.command->actionID == actionID)
                return &item;
            if (item.submenu)
                if (const MenuItem* found = findItem(*item.submenu, actionID))
                    return found;
        }
        return nullptr;
    }
    // Runs the top-level action `actionID` on the current selection, as its menu item would.
    void run(std::string_view actionID) {
        extension().perform({std::string(actionID), {}}, extension().currentContext());
    }
};

} // namespace ondravell::test
