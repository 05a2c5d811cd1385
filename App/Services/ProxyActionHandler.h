#pragma once

#include "App/Services/FileActionServices.h"
#include "core/FileOps/FileOperation.h"
#include "core/FileOps/PasteOutcome.h"
#include "core/SharedConfig/ProxyActionRequest.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ondravell {

struct FileTemplate;

// Carries out a file action that another program asks for by name ("pending-proxy-action.json"):
// pastes, hashes, clipboard copies of a file, links, new files and folders, the clipboard saved as a
// file, and opening items in a terminal or an editor. File work runs on a worker; the history entry is
// written there, then the clipboard and the toast follow on the main thread, in that order. A request
// whose needs are not met, or that names relative, non-UTF-8 or missing paths, does nothing at all.
class ProxyActionHandler {
public:
    // The templates "createTemplate" chooses from, built-in ones first; read on a worker.
    using Templates = std::function<std::vector<FileTemplate>()>;

    ProxyActionHandler(FileActionServices services, Templates templates)
        : services_(std::move(services)), templates_(std::move(templates)) {}

    // Main thread only; returns at once, the work finishes later. Work under way holds copies of the
    // services, not the handler, so the handler may go before the queue has drained.
    void handle(const ProxyActionRequest& request);

    // The toast that reports a paste: its text and symbol.
    struct Toast {
        std::string message;
        std::string symbol;
        bool operator==(const Toast&) const = default;
    };
    static Toast pasteToast(const PasteOutcome& outcome, bool move);
    // The sources of a request, in order, without those that do not exist; nullopt when any path is
    // relative, not UTF-8 or holds a NUL, since such a request did not come from a sound sender.
    static std::optional<std::vector<std::filesystem::path>> sources(const ProxyActionRequest& request);
    // The folder "openTerminal" opens: the first item that is a folder, else the first item's parent.
    static std::filesystem::path terminalFolder(const std::vector<std::filesystem::path>& items);

private:
    void execute(const ProxyActionRequest& request, std::vector<std::filesystem::path> urls,
                 std::optional<std::filesystem::path> destination);
    void openInApp(const ProxyActionRequest& request, std::vector<std::filesystem::path> targets);
    void paste(std::vector<std::filesystem::path> urls, std::filesystem::path destination, bool move);
    void copyFromFile(const std::string& action, std::filesystem::path source,
                      std::optional<std::string> algorithm);
    void makeLinks(std::vector<std::filesystem::path> urls);
    void createTemplate(std::filesystem::path destination, std::string templateID);
    void createFolder(std::filesystem::path destination);
    void clipboardToFile(std::filesystem::path destination);

    FileActionServices services_;
    Templates templates_;
};

} // namespace ondravell
