#pragma once

#include "App/Host/RequestHandler.h"

namespace ondravell {

class ProxyActionHandler;
namespace platform {
class FinderHiddenFiles;
}

// The application's side of the extension's requests. Toasts, progress and the hidden-file toggle are
// carried out here; the transfer, delete-confirmation, new-file and proxy-action windows are not built
// yet, so those requests are decoded and then set aside.
class AppRequestHandler final : public RequestHandler {
public:
    AppRequestHandler(platform::FinderHiddenFiles& hiddenFiles, ProxyActionHandler& proxyActions)
        : hiddenFiles_(hiddenFiles), proxyActions_(proxyActions) {}

    void handleProxyAction(const ProxyActionRequest& request) override;
    void runTransfer(const TransferRequest& request) override;
    void showProgress(const ProgressPayload& payload) override;
    void showToast(const ToastPayload& payload) override;
    void showNewFileWindow(const std::string& directory) override;
    void confirmAndDelete(const std::vector<std::string>& paths) override;
    void toggleFinderHidden() override;

private:
    platform::FinderHiddenFiles& hiddenFiles_;
    ProxyActionHandler& proxyActions_;
};

} // namespace ondravell
