#pragma once

#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/OndravellSettings.h"

#include <functional>
#include <string>

namespace ondravell {

namespace platform {
class AppLauncher;
class ContentTypeReader;
class ImageSizeReader;
class Pasteboard;
class PasteboardImageReader;
class TaskQueue;
} // namespace platform

// What the application's file actions (requests by name, file-manager scripts) work with. File work
// runs on the queue's workers; the clipboard, toasts and windows are touched on the main thread only.
struct FileActionServices {
    using Toast = std::function<void(const std::string& message, const std::string& symbol)>;

    platform::TaskQueue& queue;
    platform::Pasteboard& pasteboard;
    platform::PasteboardImageReader& pasteboardImage;
    platform::AppLauncher& launcher;
    platform::ContentTypeReader& contentTypes;
    platform::ImageSizeReader& imageSizes;
    OperationHistory history;
    // Read afresh for each action, on a worker.
    std::function<OndravellSettings()> loadSettings;
    Toast toast;
};

} // namespace ondravell
