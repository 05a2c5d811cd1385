#include "platform/qt/QtClipboardCopier.h"

#include "platform/KeySynthesizer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QStringDecoder>
#include <QUrl>
#include <utility>
#include <vector>

namespace ondravell::platform {

namespace {

using Snapshot = std::vector<std::pair<QString, QByteArray>>;

// Qt derives this form from the image formats themselves and offers it again from them.
const QString qtImageFormat = QStringLiteral("application/x-qt-image");
const QString copiedFilesFormat = QStringLiteral("x-special/gnome-copied-files");

Snapshot snapshotOf(const QMimeData* data) {
    Snapshot snapshot;
    if (!data)
        return snapshot;
    for (const QString& format : data->formats()) {
        if (format == qtImageFormat)
            continue;
        QByteArray bytes = data->data(format);
        if (!bytes.isNull())
            snapshot.emplace_back(format, std::move(bytes));
    }
    return snapshot;
}

std::optional<std::string> plainTextOf(const QMimeData* data) {
    // Only text the owner offers as such: Qt would also make text of a URI list.
    const QString utf8Text = QStringLiteral("text/plain;charset=utf-8");
    const QString plainText = QStringLiteral("text/plain");
    QByteArray bytes;
    if (data->hasFormat(utf8Text))
        bytes = data->data(utf8Text);
    else if (data->hasFormat(plainText))
        bytes = data->data(plainText);
    if (bytes.isEmpty() || bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    (void)decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return bytes.toStdString();
}

std::vector<QUrl> urisOf(const QMimeData* data) {
    std::vector<QUrl> uris;
    if (data->hasFormat(copiedFilesFormat)) {
        // "copy" or "cut" on the first line, one URI a line after it.
        const QList<QByteArray> lines = data->data(copiedFilesFormat).split('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty())
                uris.emplace_back(QString::fromUtf8(lines[i].trimmed()));
        return uris;
    }
    for (const QUrl& url : data->urls())
        uris.push_back(url);
    return uris;
}

// Puts the snapshot back in place of whatever holds the clipboard; an empty one leaves it empty.
void restore(const Snapshot& snapshot) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (snapshot.empty()) {
        clipboard->clear();
        return;
    }
    auto* restored = new QMimeData;
    for (const auto& [format, bytes] : snapshot)
        restored->setData(format, bytes);
    clipboard->setMimeData(restored);
}

ClipboardCopy copyOf(const QMimeData* data) {
    ClipboardCopy copy;
    if (!data)
        return copy;
    copy.text = plainTextOf(data);
    for (const QUrl& uri : urisOf(data)) {
        if (!uri.isValid())
            continue;
        copy.uris.push_back(uri.toString(QUrl::FullyEncoded).toStdString());
        if (uri.isLocalFile())
            copy.files.emplace_back(uri.toLocalFile().toStdString());
    }
    return copy;
}

} // namespace

struct QtClipboardCopier::Run {
    Handler handler;
    Snapshot snapshot;
    // The change count the snapshot was taken at.
    std::int64_t snapshotCount = 0;
    std::int64_t startCount = 0;
    bool sent = false;
    int releasePolls = 0;
    int polls = 0;
    // The application the copy was asked of, when known.
    std::optional<std::uint64_t> askedApplication;
};

struct QtClipboardCopier::LateCopy {
    Snapshot snapshot;
    std::uint64_t askedApplication = 0;
};

QtClipboardCopier::QtClipboardCopier(KeySynthesizer& keys) : QtClipboardCopier(keys, Options{}) {}

QtClipboardCopier::QtClipboardCopier(KeySynthesizer& keys, Options options) : keys_(keys), options_(options) {
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &context_, [this] {
        ++changeCount_;
        if (late_)
            judgeLateChange();
        // The copy is read on the next turn of the event loop, not at the next step of the watch.
        if (run_ && run_->sent)
            QMetaObject::invokeMethod(
                &context_, [this] { poll(); }, Qt::QueuedConnection);
    });
    timer_.setInterval(options_.pollIntervalMs);
    QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { poll(); });
    lateTimer_.setSingleShot(true);
    QObject::connect(&lateTimer_, &QTimer::timeout, &context_, [this] { late_.reset(); });
}

QtClipboardCopier::~QtClipboardCopier() {
    *alive_ = false;
}

void QtClipboardCopier::copyFromFocusedWindow(Handler handler) {
    // Two copies at once would each take the other's result for its own and restore the wrong snapshot.
    if (run_) {
        handler(std::nullopt);
        return;
    }
    late_.reset();
    lateTimer_.stop();
    run_ = std::make_unique<Run>();
    run_->handler = std::move(handler);
    if (!ownerCheck_) {
        start();
        return;
    }
    std::weak_ptr<bool> alive = alive_;
    ownerCheck_([this, alive](bool answers) {
        if (!alive.lock() || !run_)
            return;
        if (answers) {
            start();
            return;
        }
        std::unique_ptr<Run> run = std::move(run_);
        run->handler(std::nullopt);
    });
}

void QtClipboardCopier::start() {
    run_->snapshot = snapshotOf(QGuiApplication::clipboard()->mimeData());
    run_->snapshotCount = changeCount_;
    if (!keys_.keysHeld()) {
        sendCopy();
        return;
    }
    timer_.setInterval(options_.releasePollIntervalMs);
    timer_.start();
}

void QtClipboardCopier::sendCopy() {
    run_->sent = true;
    if (changeCount_ != run_->snapshotCount)
        run_->snapshot = snapshotOf(QGuiApplication::clipboard()->mimeData());
    run_->startCount = changeCount_;
    if (applications_.focused)
        run_->askedApplication = applications_.focused();
    timer_.setInterval(options_.pollIntervalMs);
    if (!keys_.send(KeySynthesizer::Shortcut::copy)) {
        timer_.stop();
        std::unique_ptr<Run> run = std::move(run_);
        run->handler(std::nullopt);
        return;
    }
    timer_.start();
}

void QtClipboardCopier::poll() {
    if (!run_)
        return;
    if (!run_->sent) {
        // A key held past the bound (a stuck key, a user who keeps holding) no longer delays the copy;
        // the synthesiser then lets go of held modifiers itself.
        if (++run_->releasePolls < options_.releasePollCount && keys_.keysHeld())
            return;
        sendCopy();
        return;
    }
    ++run_->polls;
    if (changeCount_ != run_->startCount)
        finish(true);
    else if (run_->polls >= options_.pollCount)
        finish(false);
}

void QtClipboardCopier::finish(bool changed) {
    timer_.stop();
    std::unique_ptr<Run> run = std::move(run_);
    if (!changed) {
        watchForLateCopy(*run);
        run->handler(std::nullopt);
        return;
    }
    ClipboardCopy copy = copyOf(QGuiApplication::clipboard()->mimeData());
    restore(run->snapshot);
    run->handler(std::move(copy));
}

void QtClipboardCopier::watchForLateCopy(Run& run) {
    if (!run.askedApplication || !applications_.owner)
        return;
    late_ = std::make_unique<LateCopy>(LateCopy{std::move(run.snapshot), *run.askedApplication});
    lateTimer_.start(options_.lateCopyMs);
}

void QtClipboardCopier::judgeLateChange() {
    // Only the first change is judged: one from elsewhere may be what the user wants on the clipboard
    // now, which the old snapshot must not replace, and whatever comes later may be the user's own copy.
    const std::unique_ptr<LateCopy> late = std::move(late_);
    lateTimer_.stop();
    if (QGuiApplication::clipboard()->ownsClipboard())
        return;
    if (applications_.owner() == late->askedApplication)
        restore(late->snapshot);
}

} // namespace ondravell::platform
