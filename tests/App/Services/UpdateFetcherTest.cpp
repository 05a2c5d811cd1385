#include "App/Services/UpdateFetcher.h"

#include "App/Services/LoadedUpdateFetcher.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

using namespace ondravell;
using namespace std::chrono_literals;

namespace {

struct Certificate {
    QSslCertificate certificate;
    QSslKey key;
};

// A fresh self-signed certificate for 127.0.0.1, made with the openssl program.
Certificate makeCertificate(const QTemporaryDir& dir, const QString& name) {
    const QString key = dir.filePath(name + ".key");
    const QString cert = dir.filePath(name + ".pem");
    const QString command =
        QStringLiteral(
            "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
            "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout %1 -out %2 2>/dev/null")
            .arg(key, cert);
    if (std::system(command.toLocal8Bit().constData()) != 0)
        return {QSslCertificate(), QSslKey()};
    QFile keyFile(key);
    keyFile.open(QIODevice::ReadOnly);
    auto certificates = QSslCertificate::fromPath(cert);
    return {certificates.value(0), QSslKey(&keyFile, QSsl::Ec)};
}

// Answers GET requests over TLS with what the script gives for the path; a path without an answer
// stalls (the connection stays open, nothing is sent).
class ScriptedServer {
public:
    explicit ScriptedServer(const Certificate& certificate) {
        QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
        ssl.setLocalCertificate(certificate.certificate);
        ssl.setPrivateKey(certificate.key);
        server_.setSslConfiguration(ssl);
        QObject::connect(&server_, &QSslServer::pendingConnectionAvailable, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                serve(socket);
        });
        server_.listen(QHostAddress::LocalHost);
    }

    QString url(const QString& path) const {
        return QStringLiteral("https://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    void answer(const QString& path, const QByteArray& response) { script_[path] = response; }

private:
    void serve(QTcpSocket* socket) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray request = socket->peek(4096);
            if (!request.contains("\r\n\r\n"))
                return;
            socket->readAll();
            QString path = QString::fromLatin1(request.split(' ').value(1));
            auto it = script_.find(path);
            if (it == script_.end())
                return;
            socket->write(it->second);
            socket->disconnectFromHost();
        });
    }

    QSslServer server_;
    std::map<QString, QByteArray> script_;
};

QByteArray response(int status, const QByteArray& body, const QByteArray& extraHeaders = {}) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: application/json\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
}

template <typename Fetcher> std::optional<RemoteVersion> fetchWith(Fetcher& fetcher) {
    std::optional<RemoteVersion> result;
    QEventLoop loop;
    bool finished = false;
    fetcher.fetch([&](std::optional<RemoteVersion> version) {
        result = std::move(version);
        finished = true;
        loop.quit();
    });
    if (!finished) {
        // Guards the test against a hang only; the fetcher's own timeout is far shorter.
        QTimer::singleShot(60s, &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_TRUE(finished);
    return result;
}

std::optional<RemoteVersion> fetch(UpdateFetcher::Options options) {
    UpdateFetcher fetcher(std::move(options));
    return fetchWith(fetcher);
}

} // namespace

TEST(UpdateFetcher, TakesTheFirstValidAnswerAndSkipsEveryOtherKind) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir dir;
    Certificate trusted = makeCertificate(dir, "trusted");
    Certificate stranger = makeCertificate(dir, "stranger");
    ASSERT_FALSE(trusted.certificate.isNull() || stranger.certificate.isNull())
        << "needs the openssl program";

    ScriptedServer server(trusted);
    ScriptedServer untrusted(stranger);
    const QByteArray document = R"({"version":"9.1","url":"https://example.org/d","notes":"n","extra":1})";
    server.answer("/ok", response(200, document));
    server.answer("/missing", response(404, document));
    server.answer("/no-url", response(200, R"({"version":"9.1"})"));
    server.answer("/garbage", response(200, "<html>busy</html>"));
    server.answer("/same-scheme", response(302, {}, "Location: " + server.url("/ok").toUtf8() + "\r\n"));
    server.answer(
        "/other-scheme",
        response(302, {}, "Location: " + server.url("/ok").replace("https:", "http:").toUtf8() + "\r\n"));
    untrusted.answer("/ok", response(200, document));
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const QString closedURL = QStringLiteral("https://127.0.0.1:%1/ok").arg(closed.serverPort());
    closed.close();

    const RemoteVersion expected{"9.1", "https://example.org/d", "n"};
    struct Case {
        const char* what;
        std::vector<QString> endpoints;
        bool answered;
    } cases[] = {
        {"200 with a document", {server.url("/ok")}, true},
        {"404, then the mirror's 200", {server.url("/missing"), server.url("/ok")}, true},
        {"a document without url", {server.url("/no-url")}, false},
        {"200 with garbage", {server.url("/garbage")}, false},
        {"a stall past the timeout", {server.url("/stall")}, false},
        {"a redirect within https", {server.url("/same-scheme")}, true},
        {"a redirect to http", {server.url("/other-scheme")}, false},
        {"an untrusted certificate", {untrusted.url("/ok")}, false},
        {"a closed port, then the mirror", {closedURL, server.url("/ok")}, true},
    };
    for (const Case& c : cases) {
        UpdateFetcher::Options options;
        for (const QString& endpoint : c.endpoints)
            options.endpoints.push_back(QUrl(endpoint));
        options.timeout = 500ms;
        options.extraCaCertificates = {trusted.certificate};
        auto version = fetch(options);
        EXPECT_EQ(version.has_value(), c.answered) << c.what;
        if (c.answered && version) {
            EXPECT_EQ(*version, expected) << c.what;
        }
    }
}

// The program fetches through the module it loads at the first check; without the module every
// check fails as an unreachable server does.
TEST(UpdateFetcher, TheLoadedModuleFetchesWithTheDefaultOptions) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    QTemporaryDir dir;
    Certificate trusted = makeCertificate(dir, "trusted");
    ASSERT_FALSE(trusted.certificate.isNull()) << "needs the openssl program";
    ScriptedServer server(trusted);
    server.answer("/ok", response(200, R"({"version":"9.1","url":"https://example.org/d","notes":"n"})"));
    qputenv("ONDRAVELL_UPDATE_ENDPOINTS", server.url("/ok").toUtf8());
    qputenv("ONDRAVELL_UPDATE_CA_FILE", dir.filePath("trusted.pem").toUtf8());

    LoadedUpdateFetcher loaded(QStringLiteral(UPDATE_MODULE));
    EXPECT_EQ(fetchWith(loaded), (RemoteVersion{"9.1", "https://example.org/d", "n"}));
    LoadedUpdateFetcher missing(dir.filePath("no-such-module.so"));
    EXPECT_EQ(fetchWith(missing), std::nullopt);
    qunsetenv("ONDRAVELL_UPDATE_ENDPOINTS");
    qunsetenv("ONDRAVELL_UPDATE_CA_FILE");
}
