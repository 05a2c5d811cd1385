#include "core/SharedConfig/OndravellIPC.h"

#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/ProxyActionRequest.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/Support/AtomicFile.h"
#include "platform/AppGroupContainer.h"

namespace ondravell {

namespace {

constexpr bool isEventOfTheGroup(std::string_view name) {
    return name.size() > OndravellIPC::appGroupID.size() + 1 && name.starts_with(OndravellIPC::appGroupID) &&
           name[OndravellIPC::appGroupID.size()] == '.';
}
static_assert(isEventOfTheGroup(OndravellIPC::toggleFinderHidden) &&
              isEventOfTheGroup(OndravellIPC::newFile) && isEventOfTheGroup(OndravellIPC::deleteRequest) &&
              isEventOfTheGroup(OndravellIPC::transferRequest) &&
              isEventOfTheGroup(OndravellIPC::showToast) && isEventOfTheGroup(OndravellIPC::progressUpdate) &&
              isEventOfTheGroup(OndravellIPC::proxyAction));

template <class Record>
bool sendRecord(platform::DistributedNotificationCenter& center, std::string_view fileName,
                const Record& record, std::string_view notificationName) {
    // Without a container nothing is encoded either, as there is nowhere to put it.
    if (!OndravellIPC::pendingFileURL(fileName))
        return false;
    auto bytes = encodeRecord(record);
    if (!bytes)
        return false;
    return OndravellIPC::writePendingAndPost(center, fileName, *bytes, notificationName);
}

} // namespace

std::optional<std::filesystem::path> OndravellIPC::pendingFileURL(std::string_view fileName) {
    auto container = platform::appGroupContainerURL(appGroupID);
    if (!container)
        return std::nullopt;
    return *container / fileName;
}

std::optional<std::string> OndravellIPC::readPendingFile(std::string_view fileName, FileIdentity* identity) {
    auto url = pendingFileURL(fileName);
    if (!url)
        return std::nullopt;
    auto bytes = readRegularFile(*url, maxPendingFileBytes, identity);
    if (!bytes || bytes->size() > maxPendingFileBytes)
        return std::nullopt;
    return bytes;
}

bool OndravellIPC::writePendingAndPost(platform::DistributedNotificationCenter& center,
                                       std::string_view fileName, std::string_view bytes,
                                       std::string_view notificationName,
                                       const std::function<void(const std::filesystem::path&)>& beforePost) {
    auto url = pendingFileURL(fileName);
    // A message is read within moments and worth nothing after a power cut, while a flush to disk would
    // cost milliseconds per progress step; the rename alone keeps a reader from seeing part of a file.
    if (!url || !writeFileAtomically(*url, bytes, /*flushToDisk=*/false))
        return false;
    if (beforePost)
        beforePost(*url);
    center.post(std::string(notificationName));
    return true;
}

bool OndravellIPC::postToast(platform::DistributedNotificationCenter& center, const std::string& message,
                             const std::string& symbol) {
    return sendRecord(center, pendingToastName, ToastPayload{message, symbol}, showToast);
}

bool OndravellIPC::postProgress(platform::DistributedNotificationCenter& center, const std::string& id,
                                const std::string& title, std::int64_t completed, std::int64_t total,
                                bool done) {
    return sendRecord(center, pendingProgressName, ProgressPayload{id, title, completed, total, done},
                      progressUpdate);
}

bool OndravellIPC::postProxyAction(platform::DistributedNotificationCenter& center,
                                   const ProxyActionRequest& request) {
    return sendRecord(center, pendingProxyActionName, request, proxyAction);
}

} // namespace ondravell
