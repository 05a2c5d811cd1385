#include "App/Services/UpdateChecker.h"

#include "core/Support/Numbers.h"
#include "platform/UserDefaults.h"

#include <algorithm>
#include <vector>

namespace ondravell {

namespace {

UpdateChecker*& sharedInstance() {
    static UpdateChecker* instance = nullptr;
    return instance;
}

// The standard decimal parse: an optional "+" or "-", then digits only. Anything else ("2beta") is 0.
std::int64_t versionPiece(std::string_view piece) {
    if (piece.starts_with('+')) {
        piece.remove_prefix(1);
        if (piece.starts_with('-'))
            return 0;
    }
    return Numbers::parseInt64(piece).value_or(0);
}

std::vector<std::int64_t> versionNumbers(std::string_view version) {
    std::vector<std::int64_t> numbers;
    while (!version.empty()) {
        std::size_t dot = version.find('.');
        std::string_view piece = version.substr(0, dot);
        if (!piece.empty())
            numbers.push_back(versionPiece(piece));
        if (dot == std::string_view::npos)
            break;
        version.remove_prefix(dot + 1);
    }
    return numbers;
}

} // namespace

void UpdateChecker::setUpShared(Services services) {
    if (!sharedInstance())
        sharedInstance() = new UpdateChecker(std::move(services));
}

UpdateChecker& UpdateChecker::shared() {
    if (!sharedInstance())
        sharedInstance() = new UpdateChecker(Services{});
    return *sharedInstance();
}

std::string UpdateChecker::currentVersion() {
    return ONDRAVELL_VERSION;
}

bool UpdateChecker::isNewer(std::string_view remote, std::string_view local) {
    std::vector<std::int64_t> theirs = versionNumbers(remote);
    std::vector<std::int64_t> ours = versionNumbers(local);
    std::size_t count = std::max(theirs.size(), ours.size());
    for (std::size_t i = 0; i < count; ++i) {
        std::int64_t a = i < theirs.size() ? theirs[i] : 0;
        std::int64_t b = i < ours.size() ? ours[i] : 0;
        if (a != b)
            return a > b;
    }
    return false;
}

bool UpdateChecker::isWebPage(std::string_view url) {
    auto lower = [](std::string_view text) {
        std::string out(text);
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : char(c); });
        return out;
    };
    for (std::string_view scheme : {"http://", "https://"})
        if (url.size() > scheme.size() && lower(url.substr(0, scheme.size())) == scheme &&
            url.find_first_of(" \t\r\n") == std::string_view::npos)
            return true;
    return false;
}

void UpdateChecker::checkAutomatically() {
    if (!services_.defaults || !services_.now)
        return;
    double last = services_.defaults->doubleForKey(lastCheckKey).value_or(0);
    if (services_.now() - last <= automaticInterval)
        return;
    auto run = [this] { check(true); };
    if (services_.post)
        services_.post(run);
    else
        run();
}

void UpdateChecker::check(bool silent) {
    if (!silent) {
        isChecking_ = true;
        lastManualResult_.reset();
        notify();
    }
    if (services_.defaults && services_.now)
        services_.defaults->setDouble(lastCheckKey, services_.now());
    if (!services_.fetchRemote) {
        finish(silent, std::nullopt);
        return;
    }
    services_.fetchRemote([this, silent](std::optional<RemoteVersion> remote) { finish(silent, remote); });
}

void UpdateChecker::finish(bool silent, const std::optional<RemoteVersion>& remote) {
    if (!remote) {
        if (silent)
            return;
        lastManualResult_ = "检查失败，请稍后再试";
        isChecking_ = false;
        notify();
        return;
    }
    if (!isNewer(remote->version, currentVersion())) {
        available_.reset();
        if (!silent) {
            lastManualResult_ = "已是最新版本";
            isChecking_ = false;
        }
        notify();
        return;
    }
    available_ = remote;
    if (!silent) {
        isChecking_ = false;
        notify();
        return;
    }
    notify();
    if (!services_.defaults || services_.defaults->stringForKey(notifiedVersionKey) == remote->version)
        return;
    services_.defaults->setString(notifiedVersionKey, remote->version);
    if (services_.toast)
        services_.toast("发现新版本 " + remote->version + "，可在 设置 › 通用 下载", "arrow.down.circle");
}

void UpdateChecker::openDownloadPage() {
    if (available_ && isWebPage(available_->url) && services_.openURL)
        services_.openURL(available_->url);
}

int UpdateChecker::observe(std::function<void()> observer) {
    int token = nextObserver_++;
    observers_.emplace(token, std::move(observer));
    return token;
}

void UpdateChecker::notify() {
    // An observer may remove itself (a row being closed).
    auto observers = observers_;
    for (const auto& [token, observer] : observers)
        observer();
}

} // namespace ondravell
