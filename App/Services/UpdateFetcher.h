#pragma once

#include "App/Services/RemoteVersion.h"

#include <QList>
#include <QSslCertificate>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QNetworkAccessManager;

namespace ondravell {

// Fetches the update document: a GET of each endpoint in turn, each within its timeout, until one
// answers HTTP 200 with a valid document. Redirects stay within the scheme they started with. Main
// thread; the answer arrives on the event loop.
class UpdateFetcher {
public:
    static constexpr std::chrono::milliseconds requestTimeout{8000};
    static constexpr int maxRedirects = 5;

    struct Options {
        std::vector<QUrl> endpoints;
        std::chrono::milliseconds timeout = requestTimeout;
        // Trusted besides the system's authorities (a local test server's own certificate).
        QList<QSslCertificate> extraCaCertificates;
    };

    explicit UpdateFetcher(Options options);
    ~UpdateFetcher();

    // The project's update host and its mirror, unless ONDRAVELL_UPDATE_ENDPOINTS lists others
    // (separated by spaces); ONDRAVELL_UPDATE_CA_FILE names a PEM file of further trusted authorities.
    static Options defaultOptions();

    void fetch(std::function<void(std::optional<RemoteVersion>)> done);

private:
    void request(std::size_t index, std::shared_ptr<std::function<void(std::optional<RemoteVersion>)>> done);

    Options options_;
    std::unique_ptr<QNetworkAccessManager> network_;
};

} // namespace ondravell
