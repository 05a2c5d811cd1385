#include "App/Host/RequestObservers.h"

#include "App/Host/PendingRequestText.h"
#include "App/Host/RequestHandler.h"
#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/OndravellIPC.h"

namespace ondravell {

RequestObservers::RequestObservers(platform::DistributedNotificationCenter& center, RequestHandler& handler,
                                   Defer defer)
    : center_(center), handler_(handler), defer_(std::move(defer)) {}

RequestObservers::~RequestObservers() {
    for (auto token : tokens_)
        center_.removeObserver(token);
}

int RequestObservers::registerAll() {
    const std::pair<std::string_view, void (RequestObservers::*)()> observers[] = {
        {OndravellIPC::toggleFinderHidden, &RequestObservers::handleToggleFinderHidden},
        {OndravellIPC::newFile, &RequestObservers::handleNewFile},
        {OndravellIPC::deleteRequest, &RequestObservers::handleDeleteRequest},
        {OndravellIPC::showToast, &RequestObservers::handleShowToast},
        {OndravellIPC::transferRequest, &RequestObservers::handleTransferRequest},
        {OndravellIPC::progressUpdate, &RequestObservers::handleProgressUpdate},
        {OndravellIPC::proxyAction, &RequestObservers::handleProxyAction},
    };
    int accepted = 0;
    for (const auto& [name, method] : observers) {
        auto token = center_.addObserver(std::string(name), [this, method = method] { (this->*method)(); });
        if (token != 0) {
            tokens_.push_back(token);
            ++accepted;
        }
    }
    return accepted;
}

std::optional<std::string> RequestObservers::read(std::string_view fileName, bool once) {
    if (!once)
        return OndravellIPC::readPendingFile(fileName);
    FileIdentity identity;
    std::optional<std::string> bytes = OndravellIPC::readPendingFile(fileName, &identity);
    if (!bytes)
        return std::nullopt;
    auto [last, first] = handled_.try_emplace(fileName, identity);
    if (!first && last->second == identity)
        return std::nullopt;
    last->second = identity;
    return bytes;
}

template <class Record, class Deliver>
void RequestObservers::handleJSON(std::string_view fileName, Deliver deliver, bool once) {
    std::optional<std::string> bytes = read(fileName, once);
    if (!bytes)
        return;
    std::optional<Record> record = decodeRecord<Record>(*bytes);
    if (!record)
        return;
    defer_([this, deliver, record = std::move(*record)] { (handler_.*deliver)(record); });
}

void RequestObservers::handleProxyAction() {
    handleJSON<ProxyActionRequest>(OndravellIPC::pendingProxyActionName, &RequestHandler::handleProxyAction,
                                   true);
}

void RequestObservers::handleTransferRequest() {
    handleJSON<TransferRequest>(OndravellIPC::pendingTransferName, &RequestHandler::runTransfer, true);
}

void RequestObservers::handleProgressUpdate() {
    handleJSON<ProgressPayload>(OndravellIPC::pendingProgressName, &RequestHandler::showProgress, false);
}

void RequestObservers::handleShowToast() {
    handleJSON<ToastPayload>(OndravellIPC::pendingToastName, &RequestHandler::showToast, false);
}

void RequestObservers::handleNewFile() {
    std::optional<std::string> text = read(OndravellIPC::pendingNewFileName, true);
    if (!text)
        return;
    std::optional<std::string> directory = PendingRequestText::newFileDirectory(*text);
    if (!directory)
        return;
    defer_([this, directory = std::move(*directory)] { handler_.showNewFileWindow(directory); });
}

void RequestObservers::handleDeleteRequest() {
    std::optional<std::string> text = read(OndravellIPC::pendingDeleteName, true);
    if (!text)
        return;
    std::vector<std::string> paths = PendingRequestText::deletePaths(*text);
    if (paths.empty())
        return;
    defer_([this, paths = std::move(paths)] { handler_.confirmAndDelete(paths); });
}

void RequestObservers::handleToggleFinderHidden() {
    handler_.toggleFinderHidden();
}

} // namespace ondravell
