#pragma once

#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/ToastPayload.h"
#include "tests/Extensions/FinderSync/ExtensionTestSupport.h"

#include <fstream>
#include <iterator>

namespace ondravell::test {

// An extension whose messages to the application are kept as they are sent: every progress step and
// every toast, read from the pending file at the moment its notification is posted (each message
// replaces the file of the one before).
class TransferActionTest : public ExtensionTest {
protected:
    void SetUp() override {
        notificationCenter.addObserver(std::string(OndravellIPC::progressUpdate),
                                       [this] { keep(OndravellIPC::pendingProgressName, progress); });
        notificationCenter.addObserver(std::string(OndravellIPC::showToast),
                                       [this] { keep(OndravellIPC::pendingToastName, toasts); });
    }

    std::vector<ProgressPayload> progress;
    std::vector<ToastPayload> toasts;

    std::vector<std::string> toastMessages() const {
        std::vector<std::string> messages;
        for (const ToastPayload& toast : toasts)
            messages.push_back(toast.message);
        return messages;
    }
    std::vector<FileOperation> recordedOperations() const {
        return OperationHistory::forAppGroup(OndravellIPC::appGroupID).loadAscending();
    }

    // The top-level item `title` of the menu for the current selection, with its submenu if it has one.
    MenuItem topLevelItem(const std::string& title) {
        for (const MenuItem& item : extension().menu(MenuKind::contextualMenuForItems).items)
            if (item.title == title)
                return item;
        ADD_FAILURE() << "no menu item " << title;
        return {};
    }
    static std::optional<MenuCommand> commandTitled(const MenuItem& parent, const std::string& title) {
        if (parent.submenu)
            for (const MenuItem& item : parent.submenu->items)
                if (item.title == title && item.command)
                    return item.command;
        ADD_FAILURE() << "no submenu item " << title;
        return std::nullopt;
    }

    std::filesystem::path makeFileWith(const std::string& name, const std::string& contents) const {
        std::filesystem::path path = makeFile(name);
        std::ofstream(path, std::ios::trunc) << contents;
        return path;
    }
    static std::string contentsOf(const std::filesystem::path& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    template <class Record> static void keep(std::string_view fileName, std::vector<Record>& into) {
        if (std::optional<std::string> bytes = OndravellIPC::readPendingFile(fileName))
            if (std::optional<Record> record = decodeRecord<Record>(*bytes))
                into.push_back(std::move(*record));
    }
};

} // namespace ondravell::test
