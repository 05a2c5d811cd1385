#pragma once

#include "App/Services/FileActionServices.h"
#include "platform/memory/FixedContentTypeReader.h"
#include "platform/memory/FixedImageSizeReader.h"
#include "platform/memory/ImmediateTaskQueue.h"
#include "platform/memory/MemoryAppLauncher.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/memory/MemoryPasteboardImageReader.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace ondravell::test {

// The application's file actions on in-memory platform services, with real files in `folder` and the
// history and results in `target`. Work runs at once, so an action's effects are there when it returns.
class FileActionTestBed : public ::testing::Test {
protected:
    struct Toast {
        std::string message;
        std::string symbol;
        bool operator==(const Toast&) const = default;
    };

    std::filesystem::path file(const std::string& name, std::string_view text = "x") {
        testing::writeText(folder / name, text);
        return folder / name;
    }
    FileActionServices services() {
        return {queue,
                pasteboard,
                image,
                launcher,
                types,
                sizes,
                history,
                [this] { return settings; },
                [this](const std::string& m, const std::string& s) {
                    toasts.push_back({m, s});
                }};
    }

    testing::TemporaryFolder folder;
    testing::TemporaryFolder target;
    platform::ImmediateTaskQueue queue;
    platform::MemoryPasteboard pasteboard;
    platform::MemoryPasteboardImageReader image;
    platform::MemoryAppLauncher launcher;
    platform::FixedContentTypeReader types;
    platform::FixedImageSizeReader sizes;
    OndravellSettings settings;
    OperationHistory history{target / "operation-history.json"};
    std::vector<Toast> toasts;
};

} // namespace ondravell::test
