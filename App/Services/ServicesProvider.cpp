#include "App/Services/ServicesProvider.h"

#include "Extensions/FinderSync/OpenWithActions.h"
#include "core/FileOps/FileHasher.h"
#include "core/FileOps/OperationJournal.h"
#include "core/FileOps/PathFormatter.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"
#include "platform/AppLauncher.h"
#include "platform/Pasteboard.h"
#include "platform/TaskQueue.h"

#include <algorithm>

namespace ondravell {

namespace {

using Path = std::filesystem::path;
using Paths = std::vector<Path>;

// Nothing is put on the clipboard for an empty text.
void writeToPasteboard(const FileActionServices& s, const std::string& text) {
    if (!text.empty())
        s.pasteboard.writeString(text);
}

void toast(const FileActionServices& s, const std::string& message, const std::string& symbol) {
    if (s.toast)
        s.toast(message, symbol);
}

} // namespace

Path ServicesProvider::folderOf(const Path& item) {
    std::error_code error;
    if (std::filesystem::is_directory(item, error))
        return item;
    return PathRules::deletingLastPathComponent(item.string());
}

void ServicesProvider::perform(std::string_view entry, const std::vector<std::string>& paths) {
    using Handler = void (ServicesProvider::*)(const Paths&);
    static constexpr std::pair<std::string_view, Handler> entries[] = {
        {"odCopyPath", &ServicesProvider::odCopyPath},
        {"odHash", &ServicesProvider::odHash},
        {"odOpenTerminal", &ServicesProvider::odOpenTerminal},
        {"odCopyFiles", &ServicesProvider::odCopyFiles},
        {"odMoveTo", &ServicesProvider::odMoveTo},
        {"odNewFile", &ServicesProvider::odNewFile},
    };
    const auto known = std::find_if(std::begin(entries), std::end(entries),
                                    [&](const auto& named) { return named.first == entry; });
    if (known == std::end(entries) || paths.empty())
        return;
    // Several entries act on the first item only: leaving out one that cannot be located would make
    // another file the first, so the whole request is refused.
    Paths urls;
    for (const std::string& path : paths) {
        if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) {
            toast(services_, ODLocalized("无法确定所选项目的位置，未执行操作"),
                  "exclamationmark.triangle.fill");
            return;
        }
        urls.emplace_back(path);
    }
    (this->*known->second)(urls);
}

void ServicesProvider::odCopyPath(const Paths& urls) {
    if (urls.empty())
        return;
    // The clipboard carries text: a name in another encoding than UTF-8 cannot be written as it is,
    // and leaving it out would copy a list the user did not choose.
    for (const Path& url : urls)
        if (!UnicodeText::isValidUTF8(url.native())) {
            toast(services_, ODLocalized("文件名不是 UTF-8 文本，无法复制路径"),
                  "exclamationmark.triangle.fill");
            return;
        }
    writeToPasteboard(services_, PathFormatter::formatMultiple(urls, PathFormat::posix));
}

void ServicesProvider::odCopyFiles(const Paths& urls) {
    if (urls.empty())
        return;
    services_.pasteboard.writeFiles(urls, false, std::nullopt);
    toast(services_, ODLocalized("已复制 %lld 个文件", static_cast<std::int64_t>(urls.size())), "doc.on.doc");
}

void ServicesProvider::odMoveTo(const Paths& urls) {
    if (urls.empty() || !windows_.chooseMoveDestination)
        return;
    std::optional<Path> folder = windows_.chooseMoveDestination();
    if (!folder)
        return;
    services_.queue.runInBackground([s = services_, urls, folder = *folder] {
        PasteOutcome outcome = OperationJournal::paste(s.history, urls, folder, true,
                                                       std::chrono::system_clock::now(), makeUUIDString());
        s.queue.runOnMain([s, outcome] {
            // A move is undone as a whole when one item fails, so there is no partial outcome to report.
            if (outcome.rolledBack)
                toast(s, ODLocalized("移动失败，已回滚（未丢失任何文件）"), "exclamationmark.triangle.fill");
            else
                toast(s, ODLocalized("已移动 %lld 个文件", static_cast<std::int64_t>(outcome.succeeded)),
                      "arrowshape.turn.up.right");
        });
    });
}

void ServicesProvider::odNewFile(const Paths& urls) {
    if (!urls.empty() && windows_.showNewFileWindow)
        windows_.showNewFileWindow(folderOf(urls.front()));
}

void ServicesProvider::odOpenTerminal(const Paths& urls) {
    if (urls.empty())
        return;
    // The desktop's own terminal: this entry does not consult the user's choice.
    services_.queue.runInBackground([s = services_, folder = folderOf(urls.front())] {
        s.launcher.openTerminal(OpenWithActions::systemTerminalBundleID, folder);
    });
}

void ServicesProvider::odHash(const Paths& urls) {
    if (urls.empty())
        return;
    services_.queue.runInBackground([s = services_, file = urls.front()] {
        std::error_code error;
        std::optional<std::string> digest = FileHasher::hash(file, HashAlgorithm::sha256, error);
        if (digest)
            s.queue.runOnMain([s, digest = std::move(*digest)] { writeToPasteboard(s, digest); });
    });
}

} // namespace ondravell
