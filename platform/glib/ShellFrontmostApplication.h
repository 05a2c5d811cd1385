#pragma once

#include "platform/FrontmostApplication.h"

#include <cstdint>
#include <functional>
#include <string>

typedef struct _GDBusConnection GDBusConnection;

namespace ondravell::platform {

// The focused window as the program's Shell extension reports it: its application's desktop id and
// the object path GTK gave it, for Wayland and X11 windows alike. The extension tells this program of
// every change of focus as it happens (its "Focus" signal, sent once this process owns the program's
// name), so a question is answered from what was told last and never waits for the Shell. Until the
// extension has told anything, and once it or the Shell has gone, `fallback` answers instead. Main
// thread only (the GLib main context).
class ShellFrontmostApplication final : public FrontmostApplication {
public:
    explicit ShellFrontmostApplication(FrontmostApplication& fallback);
    ~ShellFrontmostApplication() override;
    ShellFrontmostApplication(const ShellFrontmostApplication&) = delete;
    ShellFrontmostApplication& operator=(const ShellFrontmostApplication&) = delete;

    std::optional<std::string> bundleIdentifier() override;
    std::optional<std::string> windowObjectPath() override;
    std::optional<std::int64_t> processId() override;
    // Whether the extension runs, as it told last (it tells when this process comes to own the
    // program's name and when it stops); nullopt before it told anything.
    std::optional<bool> extensionRuns() const { return extensionRuns_; }

    // A number that changes with every change of focus the extension tells (a window that loses the
    // keyboard and takes it back gets a new one), so that equal numbers mean the same window had the
    // keyboard all along; nullopt while the extension does not tell the focus.
    std::optional<std::uint64_t> focusSerial() const;

    struct Focus {
        std::optional<std::string> appID;
        std::optional<std::string> objectPath;
        std::optional<std::int64_t> pid;
    };
    // Called after each change of focus the extension tells, whatever window has it now.
    void setFocusChangeHandler(std::function<void()> handler) { focusChanged_ = std::move(handler); }
    // Called with whether the extension runs when that may have changed: it told it runs (it does when
    // it starts, and when this process comes to own the program's name) or stopped, or the Shell's
    // connection changed (false: an extension in a new Shell tells of itself).
    void setExtensionChangeHandler(std::function<void(bool runs)> handler) {
        extensionChanged_ = std::move(handler);
    }

    // What the extension said last (nullopt for "not known"), taken only from the Shell's connection.
    void focusChanged(const char* sender, std::optional<Focus> focus);
    void shellChanged(const char* uniqueName);

private:
    FrontmostApplication& fallback_;
    GDBusConnection* connection_ = nullptr;
    unsigned shellWatch_ = 0;
    unsigned subscription_ = 0;
    std::string shellOwner_;
    std::optional<Focus> focus_;
    std::uint64_t focusChanges_ = 0;
    std::optional<bool> extensionRuns_;
    std::function<void()> focusChanged_;
    std::function<void(bool)> extensionChanged_;
};

} // namespace ondravell::platform
