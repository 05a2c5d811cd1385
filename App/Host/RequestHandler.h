#pragma once

#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/ProxyActionRequest.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/SharedConfig/TransferRequest.h"

#include <string>
#include <vector>

namespace ondravell {

// Where the extension's requests go once their pending file has been read and decoded. Each call comes
// on the main thread, on a later turn of the event loop than the notification that carried it.
class RequestHandler {
public:
    virtual ~RequestHandler() = default;

    virtual void handleProxyAction(const ProxyActionRequest& request) = 0;
    virtual void runTransfer(const TransferRequest& request) = 0;
    virtual void showProgress(const ProgressPayload& payload) = 0;
    virtual void showToast(const ToastPayload& payload) = 0;
    // The folder path as the extension wrote it, trimmed; it need not exist.
    virtual void showNewFileWindow(const std::string& directory) = 0;
    // The paths in file order, never empty.
    virtual void confirmAndDelete(const std::vector<std::string>& paths) = 0;
    // Runs at once, not on a later turn: it carries no file.
    virtual void toggleFinderHidden() = 0;
};

} // namespace ondravell
