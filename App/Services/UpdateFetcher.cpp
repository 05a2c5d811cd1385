#include "App/Services/UpdateFetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSslConfiguration>
#include <QTimer>

namespace ondravell {

UpdateFetcher::UpdateFetcher(Options options)
    : options_(std::move(options)), network_(std::make_unique<QNetworkAccessManager>()) {}

UpdateFetcher::~UpdateFetcher() = default;

UpdateFetcher::Options UpdateFetcher::defaultOptions() {
    Options options;
    QString list =
        qEnvironmentVariable("ONDRAVELL_UPDATE_ENDPOINTS", QStringLiteral(ONDRAVELL_UPDATE_ENDPOINTS));
    for (const QString& entry : list.split(QRegularExpression(QStringLiteral("[\\s;]+")), Qt::SkipEmptyParts))
        options.endpoints.push_back(QUrl(entry));
    QString caFile = qEnvironmentVariable("ONDRAVELL_UPDATE_CA_FILE");
    if (!caFile.isEmpty())
        options.extraCaCertificates = QSslCertificate::fromPath(caFile, QSsl::Pem);
    return options;
}

void UpdateFetcher::fetch(std::function<void(std::optional<RemoteVersion>)> done) {
    request(0, std::make_shared<std::function<void(std::optional<RemoteVersion>)>>(std::move(done)));
}

void UpdateFetcher::request(std::size_t index,
                            std::shared_ptr<std::function<void(std::optional<RemoteVersion>)>> done) {
    if (index >= options_.endpoints.size()) {
        (*done)(std::nullopt);
        return;
    }
    const QUrl url = options_.endpoints[index];
    QNetworkRequest get(url);
    get.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    get.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);
    get.setMaximumRedirectsAllowed(maxRedirects);
    if (!options_.extraCaCertificates.isEmpty()) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.addCaCertificates(options_.extraCaCertificates);
        get.setSslConfiguration(ssl);
    }
    QNetworkReply* reply = network_->get(get);

    // The whole exchange has one deadline: a server that sends a byte now and then never ends it.
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(options_.timeout);

    QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, url](const QUrl& target) {
        if (target.scheme().compare(url.scheme(), Qt::CaseInsensitive) == 0)
            emit reply->redirectAllowed();
        else
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > qint64(RemoteVersion::maxDocumentBytes))
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, index, done] {
        reply->deleteLater();
        std::optional<RemoteVersion> version;
        int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status == 200) {
            QByteArray body = reply->read(qint64(RemoteVersion::maxDocumentBytes) + 1);
            version = RemoteVersion::decode(std::string_view(body.constData(), std::size_t(body.size())));
        }
        if (version)
            (*done)(std::move(version));
        else
            request(index + 1, done);
    });
}

} // namespace ondravell
