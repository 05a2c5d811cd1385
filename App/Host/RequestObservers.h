#pragma once

#include "core/Support/FileIdentity.h"
#include "platform/DistributedNotificationCenter.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

class RequestHandler;

// Observes the seven requests of the extension. Each observer reads its pending file when its
// notification arrives, decodes it strictly and hands the record to the handler on a later turn of the
// event loop; an absent container, a missing, unreadable or oversized file and a record that does not
// decode are ignored. Pending files are only read, never removed, so two notifications may find the same
// file: a transfer, delete, new-file or proxy-action request whose file has the identity of the one
// handled last for its kind is not run again.
class RequestObservers {
public:
    // Runs a function on a later turn of the main thread's event loop.
    using Defer = std::function<void(std::function<void()>)>;

    RequestObservers(platform::DistributedNotificationCenter& center, RequestHandler& handler, Defer defer);
    ~RequestObservers();
    RequestObservers(const RequestObservers&) = delete;
    RequestObservers& operator=(const RequestObservers&) = delete;

    // Registers the seven observers: toggleFinderHidden, newFile, deleteRequest, showToast,
    // transferRequest, progressUpdate, proxyAction. Returns how many the centre accepted.
    int registerAll();

    void handleProxyAction();
    void handleTransferRequest();
    void handleProgressUpdate();
    void handleShowToast();
    void handleNewFile();
    void handleDeleteRequest();
    void handleToggleFinderHidden();

private:
    template <class Record, class Deliver>
    void handleJSON(std::string_view fileName, Deliver deliver, bool once);
    // The pending file's bytes; nullopt when unreadable or, with `once`, already handled.
    std::optional<std::string> read(std::string_view fileName, bool once);

    platform::DistributedNotificationCenter& center_;
    RequestHandler& handler_;
    Defer defer_;
    std::vector<platform::DistributedNotificationCenter::Token> tokens_;
    std::map<std::string_view, FileIdentity> handled_;
};

} // namespace ondravell
