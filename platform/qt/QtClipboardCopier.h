#pragma once

#include "platform/ClipboardCopier.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ondravell::platform {

class KeySynthesizer;

// The clipboard copier on QClipboard. The watch is a timer of `pollCount` steps of `pollInterval` on
// the event loop, so the program stays responsive while the other program copies; a change is what
// QClipboard reports (on X11, a new selection owner), and it ends the watch as soon as it is reported.
// Before the copy the same timer waits, for at most `releasePollCount` steps of `releasePollIntervalMs`,
// until no key is held: a copy asked for by a hot key starts while its keys are still down, and held
// modifiers would turn Ctrl+C into another shortcut. The user's clipboard is snapshotted while the keys
// are held (again at the copy if it changed meanwhile), so the copy follows the release at once.
//
// An application may answer the copy only after the watch gave up (a text view holding one very long
// line takes most of a second). For `lateCopyMs` after the watch the copier therefore judges the first
// change of the clipboard: when it comes from the application that was asked to copy, it is that late
// copy, and the user's snapshot is written back again. Any other change (another application's, the
// program's own) ends the watch untouched, as does everything after the first change; so does a new
// copy, which takes its own snapshot.
class QtClipboardCopier final : public ClipboardCopier {
public:
    struct Options {
        int pollCount = 15;
        int pollIntervalMs = 20;
        int releasePollCount = 100;
        int releasePollIntervalMs = 10;
        int lateCopyMs = 2000;
    };

    explicit QtClipboardCopier(KeySynthesizer& keys);
    QtClipboardCopier(KeySynthesizer& keys, Options options);
    ~QtClipboardCopier() override;
    QtClipboardCopier(const QtClipboardCopier&) = delete;
    QtClipboardCopier& operator=(const QtClipboardCopier&) = delete;

    void copyFromFocusedWindow(Handler handler) override;

    // Asks, before anything is read, whether the clipboard's owner answers in good time; the copy is
    // refused when it does not, since reading from it would block the event loop.
    using OwnerCheck = std::function<void(std::function<void(bool answers)>)>;
    void setOwnerCheck(OwnerCheck check) { ownerCheck_ = std::move(check); }

    // Tells which application a change of the clipboard came from: `focused`, the one with the keyboard
    // focus, which the copy is asked of; `owner`, the one that holds the clipboard now. Equal values
    // are one application, nullopt is not known. Without both, or while either is not known, no late
    // copy is undone.
    struct Applications {
        std::function<std::optional<std::uint64_t>()> focused;
        std::function<std::optional<std::uint64_t>()> owner;
    };
    void setApplications(Applications applications) { applications_ = std::move(applications); }

private:
    struct Run;
    struct LateCopy;
    void start();
    void sendCopy();
    void poll();
    void finish(bool changed);
    void watchForLateCopy(Run& run);
    void judgeLateChange();

    KeySynthesizer& keys_;
    Options options_;
    QObject context_;
    QTimer timer_;
    std::int64_t changeCount_ = 0;
    std::unique_ptr<Run> run_;
    std::unique_ptr<LateCopy> late_;
    QTimer lateTimer_;
    OwnerCheck ownerCheck_;
    Applications applications_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace ondravell::platform
