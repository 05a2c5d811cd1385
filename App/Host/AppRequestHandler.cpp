#include "App/Host/AppRequestHandler.h"

#include "App/NewFile/DeleteAlert.h"
#include "App/NewFile/DeleteConfirmer.h"
#include "App/NewFile/NewFileWindowController.h"
#include "App/Services/ProxyActionHandler.h"
#include "App/Services/TransferHandler.h"
#include "App/Toast/ToastPresenter.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/FileDialog.h"
#include "platform/FinderHiddenFiles.h"
#include "platform/TaskQueue.h"

#include <QDebug>

namespace ondravell {

namespace {
void showToastNow(const std::string& message, const std::string& symbol) {
    ToastPresenter::shared().show(message, symbol);
}
} // namespace

void AppRequestHandler::handleProxyAction(const ProxyActionRequest& request) {
    proxyActions_.handle(request);
}

void AppRequestHandler::runTransfer(const TransferRequest& request) {
    TransferHandler::run(
        request,
        {
            [this, first = request.paths.empty() ? std::string() : request.paths.front()](bool move) {
                platform::FileDialogRequest ask;
                ask.kind = platform::FileDialogRequest::Kind::openFolder;
                ask.directory = std::filesystem::path(first).parent_path();
                ask.acceptLabel = move ? "移动到这里" : "复制到这里";
                // Titled for what the folder is chosen for, not with the dialog's own "find a folder".
                ask.title = ask.acceptLabel;
                return fileDialog_.run(ask);
            },
            [this](std::function<void()> work) { queue_.runInBackground(std::move(work)); },
            [this](std::function<void()> work) { queue_.runOnMain(std::move(work)); },
            OperationHistory::forAppGroup(OndravellIPC::appGroupID),
            [](const ProgressPayload& payload) { ToastPresenter::shared().showProgress(payload); },
            showToastNow,
        });
}

void AppRequestHandler::showProgress(const ProgressPayload& payload) {
    ToastPresenter::shared().showProgress(payload);
}

void AppRequestHandler::showToast(const ToastPayload& payload) {
    ToastPresenter::shared().show(payload.message, payload.symbol);
}

void AppRequestHandler::showNewFileWindow(const std::string& directory) {
    NewFileWindowController::shared().show(directory);
}

void AppRequestHandler::confirmAndDelete(const std::vector<std::string>& paths) {
    DeleteConfirmer::confirmAndDelete(
        paths, {DeleteAlert::run, OperationHistory::forAppGroup(OndravellIPC::appGroupID), showToastNow});
}

void AppRequestHandler::toggleFinderHidden() {
    if (!hiddenFiles_.toggle())
        qWarning("ondravell: the file manager's hidden-files setting could not be changed");
}

} // namespace ondravell
