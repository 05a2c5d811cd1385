#pragma once

#include "core/FileOps/OperationHistory.h"

#include <functional>
#include <string>
#include <vector>

namespace ondravell {

// Permanent deletion after the user said so: asks in an alert that names the items, removes what is not
// protected and records and reports what went. Nothing goes to the Trash. Main thread only.
struct DeleteConfirmer {
    struct Alert {
        std::string message;
        std::string informativeText;
        bool operator==(const Alert&) const = default;
    };
    struct Services {
        // Shows the alert; true when the user chose "彻底删除".
        std::function<bool(const Alert&)> confirm;
        OperationHistory history;
        std::function<void(const std::string& message, const std::string& symbol)> showToast;
    };

    DeleteConfirmer() = delete;

    // The alert for `paths`: the count of every path and the names of the first six.
    static Alert alertFor(const std::vector<std::string>& paths);
    // Asks, then removes the confirmed items one by one. Each path is standardised first ("/home/u/.."
    // is "/home"); the standardised path is what the guard judges and exactly what is removed, and
    // symbolic links are removed themselves, never followed.
    static void confirmAndDelete(const std::vector<std::string>& paths, const Services& services);
};

} // namespace ondravell
