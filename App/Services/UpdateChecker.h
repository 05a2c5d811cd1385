#pragma once

#include "App/Services/RemoteVersion.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

namespace platform {
class UserDefaults;
}

// Learns of a newer release from the update document: on its own at launch, at most once a day, with a
// toast once per new version; and by hand from the settings row. Nothing is downloaded: the download
// page opens in the browser. Main thread only.
class UpdateChecker {
public:
    // Seconds since 1970 of the start of the last check of either kind.
    static constexpr const char* lastCheckKey = "lastUpdateCheckAt";
    static constexpr const char* notifiedVersionKey = "notifiedUpdateVersion";
    static constexpr double automaticInterval = 86'400;

    // Asks the endpoints in turn and hands over the first valid document, or nullopt.
    using Fetch = std::function<void(std::function<void(std::optional<RemoteVersion>)> done)>;

    struct Services {
        platform::UserDefaults* defaults = nullptr;
        // Seconds since 1970.
        std::function<double()> now;
        Fetch fetchRemote;
        std::function<void(const std::string& message, const std::string& symbol)> toast;
        // Opens a web page in the default browser.
        std::function<void(const std::string& url)> openURL;
        // Runs work later on the main thread (a task of its own); empty: at once.
        std::function<void(std::function<void()>)> post;
    };

    explicit UpdateChecker(Services services) : services_(std::move(services)) {}

    // The application's one checker. `setUpShared` runs once in the composition root, before `shared`.
    static void setUpShared(Services services);
    static UpdateChecker& shared();

    // The installed version, the project's version.
    static std::string currentVersion();
    // Compares dotted numbers position by position (missing positions and pieces that are not
    // numbers count as 0): true when `remote` is greater.
    static bool isNewer(std::string_view remote, std::string_view local);
    // Only web pages open: a download link of another scheme could start any program.
    static bool isWebPage(std::string_view url);

    // A silent check when more than a day has passed since the last check started.
    void checkAutomatically();
    void check(bool silent);
    void openDownloadPage();

    const std::optional<RemoteVersion>& available() const { return available_; }
    bool isChecking() const { return isChecking_; }
    const std::optional<std::string>& lastManualResult() const { return lastManualResult_; }

    // Called after every change of the three values above; the token removes it.
    int observe(std::function<void()> observer);
    void removeObserver(int token) { observers_.erase(token); }

private:
    void finish(bool silent, const std::optional<RemoteVersion>& remote);
    void notify();

    Services services_;
    std::optional<RemoteVersion> available_;
    bool isChecking_ = false;
    std::optional<std::string> lastManualResult_;
    int nextObserver_ = 1;
    std::map<int, std::function<void()>> observers_;
};

} // namespace ondravell
