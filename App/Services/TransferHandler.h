#pragma once

#include "core/FileOps/OperationHistory.h"
#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/TransferRequest.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ondravell {

// Copies or moves the extension's selection into a folder the user chooses now. The file work and the
// history entry run on a worker of their own, so several transfers may run at once while the
// application stays responsive; progress (from three items up) and the outcome come back to the main
// thread through one ordered queue, so no late progress step can reopen a finished display.
struct TransferHandler {
    struct Services {
        // Asks for the destination folder; nullopt when the user cancels.
        std::function<std::optional<std::filesystem::path>(bool move)> chooseFolder;
        // Runs work on a thread of its own.
        std::function<void(std::function<void()>)> startWorker;
        // Runs work on the main thread; what one thread hands over runs in the order handed over.
        std::function<void(std::function<void()>)> toMain;
        OperationHistory history;
        std::function<void(const ProgressPayload&)> showProgress;
        std::function<void(const std::string& message, const std::string& symbol)> showToast;
    };

    TransferHandler() = delete;

    // Main thread only; returns once the worker has started, or at once when there is nothing to do.
    static void run(const TransferRequest& request, const Services& services);
};

} // namespace ondravell
