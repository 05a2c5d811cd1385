#pragma once

#include "App/Host/RequestHandler.h"

namespace ondravell {

class ProxyActionHandler;
namespace platform {
class FileDialog;
class FinderHiddenFiles;
class TaskQueue;
} // namespace platform

// The application's side of the extension's requests.
class AppRequestHandler final : public RequestHandler {
public:
    AppRequestHandler(platform::FinderHiddenFiles& hiddenFiles, ProxyActionHandler& proxyActions,
                      platform::TaskQueue& queue, platform::FileDialog& fileDialog)
        : hiddenFiles_(hiddenFiles), proxyActions_(proxyActions), queue_(queue), fileDialog_(fileDialog) {}

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
    platform::TaskQueue& queue_;
    platform::FileDialog& fileDialog_;
};

} // namespace ondravell
