#include "App/Host/AppRequestHandler.h"

#include "App/NewFile/DeleteAlert.h"
#include "App/NewFile/DeleteConfirmer.h"
#include "App/Services/ProxyActionHandler.h"
#include "App/Toast/ToastPresenter.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "platform/FinderHiddenFiles.h"

#include <QDebug>

namespace ondravell {

namespace {
void setAside(const char* request) {
    qInfo("ondravell: %s requests are not handled by this version", request);
}
} // namespace

void AppRequestHandler::handleProxyAction(const ProxyActionRequest& request) {
    proxyActions_.handle(request);
}

void AppRequestHandler::runTransfer(const TransferRequest&) {
    setAside("transfer");
}

void AppRequestHandler::showProgress(const ProgressPayload& payload) {
    ToastPresenter::shared().showProgress(payload);
}

void AppRequestHandler::showToast(const ToastPayload& payload) {
    ToastPresenter::shared().show(payload.message, payload.symbol);
}

void AppRequestHandler::showNewFileWindow(const std::string&) {
    setAside("new-file");
}

void AppRequestHandler::confirmAndDelete(const std::vector<std::string>& paths) {
    DeleteConfirmer::confirmAndDelete(paths, {DeleteAlert::run,
                                              OperationHistory::forAppGroup(OndravellIPC::appGroupID),
                                              [](const std::string& message, const std::string& symbol) {
                                                  ToastPresenter::shared().show(message, symbol);
                                              }});
}

void AppRequestHandler::toggleFinderHidden() {
    if (!hiddenFiles_.toggle())
        qWarning("ondravell: the file manager's hidden-files setting could not be changed");
}

} // namespace ondravell
