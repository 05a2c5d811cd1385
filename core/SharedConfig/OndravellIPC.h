#pragma once

#include "core/Support/FileIdentity.h"
#include "platform/DistributedNotificationCenter.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

struct ProxyActionRequest;

// How the extension hands work to the application: the sender writes the request into a pending file in
// the container root, atomically, and then posts a notification without payload; the receiver reads the
// file when the notification arrives. One file per kind of message, never deleted: a newer message
// replaces an unread older one.
struct OndravellIPC final {
    OndravellIPC() = delete;

    // The group whose container both programs share.
    static constexpr std::string_view appGroupID = "K3WQ9ZD7TM.dev.ondravell";

    // The notification names: the group identifier, a point and the event.
    static constexpr std::string_view toggleFinderHidden = "K3WQ9ZD7TM.dev.ondravell.toggleFinderHidden";
    static constexpr std::string_view newFile = "K3WQ9ZD7TM.dev.ondravell.newFile";
    static constexpr std::string_view deleteRequest = "K3WQ9ZD7TM.dev.ondravell.deleteRequest";
    static constexpr std::string_view transferRequest = "K3WQ9ZD7TM.dev.ondravell.transferRequest";
    static constexpr std::string_view showToast = "K3WQ9ZD7TM.dev.ondravell.showToast";
    static constexpr std::string_view progressUpdate = "K3WQ9ZD7TM.dev.ondravell.progressUpdate";
    static constexpr std::string_view proxyAction = "K3WQ9ZD7TM.dev.ondravell.proxyAction";

    // The pending files in the container root. "pending-newfile.txt" holds the target folder's path and
    // "pending-delete.txt" the paths joined by "\n" (no trailing newline), both UTF-8; the others hold
    // TransferRequest, ToastPayload, ProgressPayload and ProxyActionRequest as JSON.
    static constexpr std::string_view pendingNewFileName = "pending-newfile.txt";
    static constexpr std::string_view pendingDeleteName = "pending-delete.txt";
    static constexpr std::string_view pendingTransferName = "pending-transfer.json";
    static constexpr std::string_view pendingToastName = "pending-toast.json";
    static constexpr std::string_view pendingProgressName = "pending-progress.json";
    static constexpr std::string_view pendingProxyActionName = "pending-proxy-action.json";

    // Receivers read no more than this from a pending file; a larger one is not a message of ours.
    static constexpr std::size_t maxPendingFileBytes = 16 * 1024 * 1024;

    // Locations of the pending files, computed afresh at every call; nullopt without a container.
    static std::optional<std::filesystem::path> pendingFileURL(std::string_view fileName);
    static std::optional<std::filesystem::path> pendingNewFileURL() {
        return pendingFileURL(pendingNewFileName);
    }
    static std::optional<std::filesystem::path> pendingDeleteURL() {
        return pendingFileURL(pendingDeleteName);
    }
    static std::optional<std::filesystem::path> pendingTransferURL() {
        return pendingFileURL(pendingTransferName);
    }
    static std::optional<std::filesystem::path> pendingToastURL() { return pendingFileURL(pendingToastName); }
    static std::optional<std::filesystem::path> pendingProgressURL() {
        return pendingFileURL(pendingProgressName);
    }
    static std::optional<std::filesystem::path> pendingProxyActionURL() {
        return pendingFileURL(pendingProxyActionName);
    }

    // What a pending file holds now; nullopt without a container, or when the file is missing,
    // unreadable or larger than maxPendingFileBytes. `identity`, when given, receives the identity of
    // the file read, so a receiver can tell a request it has handled from a new one.
    static std::optional<std::string> readPendingFile(std::string_view fileName,
                                                      FileIdentity* identity = nullptr);

    // Writes `bytes` atomically (without a flush to disk) into the pending file `fileName`, then posts
    // `notificationName`. Returns
    // false, and posts nothing, when there is no container or the write failed: a notification without
    // its file would make the receiver act on an older request still standing there. `beforePost`, when
    // given, is called with the written file's path between the write and the post.
    static bool writePendingAndPost(platform::DistributedNotificationCenter& center,
                                    std::string_view fileName, std::string_view bytes,
                                    std::string_view notificationName,
                                    const std::function<void(const std::filesystem::path&)>& beforePost = {});

    // The senders of the core library, on top of writePendingAndPost. They return false when nothing was
    // posted (no container, a text that is not UTF-8, a failed write).
    static bool postToast(platform::DistributedNotificationCenter& center, const std::string& message,
                          const std::string& symbol);
    static bool postProgress(platform::DistributedNotificationCenter& center, const std::string& id,
                             const std::string& title, std::int64_t completed, std::int64_t total, bool done);
    static bool postProxyAction(platform::DistributedNotificationCenter& center,
                                const ProxyActionRequest& request);
};

} // namespace ondravell
