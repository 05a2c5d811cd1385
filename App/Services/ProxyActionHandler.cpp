#include "App/Services/ProxyActionHandler.h"

#include "Extensions/FinderSync/ContentActions.h"
#include "Extensions/FinderSync/OpenWithActions.h"
#include "Extensions/FinderSync/SymlinkActions.h"
#include "core/FileOps/FileCreator.h"
#include "core/FileOps/FileHasher.h"
#include "core/FileOps/FileTemplate.h"
#include "core/FileOps/HashAlgorithm.h"
#include "core/FileOps/LocalDateText.h"
#include "core/FileOps/MetadataFormatter.h"
#include "core/FileOps/OperationJournal.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"
#include "platform/AppLauncher.h"
#include "platform/Pasteboard.h"
#include "platform/PasteboardImageReader.h"
#include "platform/TaskQueue.h"

#include <sys/stat.h>

namespace ondravell {

namespace {

using Path = std::filesystem::path;
using Paths = std::vector<Path>;

constexpr const char* successSymbol = "checkmark.circle.fill";
constexpr const char* warningSymbol = "exclamationmark.triangle.fill";

bool isSoundPath(const std::string& path) {
    return !path.empty() && path.front() == '/' && path.find('\0') == std::string::npos &&
           UnicodeText::isValidUTF8(path);
}

bool entryExists(const Path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool isDirectory(const Path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

Paths existing(const Paths& paths) {
    Paths kept;
    for (const Path& path : paths)
        if (entryExists(path))
            kept.push_back(path);
    return kept;
}

std::string extraValue(const ProxyActionRequest& request, const std::string& key) {
    auto found = request.extra.find(key);
    return found == request.extra.end() ? std::string() : found->second;
}

} // namespace

std::optional<Paths> ProxyActionHandler::sources(const ProxyActionRequest& request) {
    Paths paths;
    for (const std::string& path : request.paths) {
        if (!isSoundPath(path))
            return std::nullopt;
        paths.emplace_back(path);
    }
    return paths;
}

Path ProxyActionHandler::terminalFolder(const Paths& items) {
    for (const Path& item : items)
        if (isDirectory(item))
            return item;
    return items.empty() ? Path() : Path(PathRules::deletingLastPathComponent(items.front().string()));
}

ProxyActionHandler::Toast ProxyActionHandler::pasteToast(const PasteOutcome& outcome, bool move) {
    if (outcome.rolledBack)
        return {ODLocalized("移动失败，已回滚（未丢失任何文件）"), warningSymbol};
    if (outcome.failed < 1)
        return {ODLocalized(move ? "已移动 %lld 个文件" : "已粘贴 %lld 个文件",
                            static_cast<std::int64_t>(outcome.succeeded)),
                successSymbol};
    return {ODLocalized("完成 %lld 个，%lld 个失败", static_cast<std::int64_t>(outcome.succeeded),
                        static_cast<std::int64_t>(outcome.failed)),
            warningSymbol};
}

void ProxyActionHandler::handle(const ProxyActionRequest& request) {
    std::optional<Paths> urls = sources(request);
    if (!urls)
        return;
    std::optional<Path> destination;
    if (request.destination) {
        if (!isSoundPath(*request.destination))
            return;
        destination = Path(*request.destination);
    }
    if (request.action == "openTerminal" || request.action == "openEditor")
        openInApp(request, std::move(*urls));
    else
        execute(request, std::move(*urls), std::move(destination));
}

void ProxyActionHandler::execute(const ProxyActionRequest& request, Paths urls,
                                 std::optional<Path> destination) {
    const std::string& action = request.action;
    if (action == "paste" || action == "transfer") {
        if (destination && !urls.empty())
            paste(std::move(urls), std::move(*destination), extraValue(request, "move") == "1");
    } else if (action == "hash" || action == "copyContent" || action == "copyBase64" ||
               action == "copyMetadata") {
        std::optional<std::string> algorithm;
        if (action == "hash") {
            algorithm = extraValue(request, "algorithm");
            if (!HashAlgorithm::fromRawValue(*algorithm))
                return;
        }
        if (!urls.empty())
            copyFromFile(action, std::move(urls.front()), std::move(algorithm));
    } else if (action == "symlink") {
        makeLinks(std::move(urls));
    } else if (action == "createTemplate") {
        auto id = request.extra.find("templateID");
        if (destination && id != request.extra.end())
            createTemplate(std::move(*destination), id->second);
    } else if (action == "createFolder") {
        if (destination)
            createFolder(std::move(*destination));
    } else if (action == "clipboardToFile") {
        if (destination)
            clipboardToFile(std::move(*destination));
    }
}

namespace {

void recordAndToast(const FileActionServices& s, FileOperation::Kind kind,
                    std::vector<FileOperationItem> items, std::string message, std::string symbol) {
    s.history.append(
        FileOperation{makeUUIDString(), kind, std::chrono::system_clock::now(), std::move(items), false});
    s.queue.runOnMain([s, message = std::move(message), symbol = std::move(symbol)] {
        if (s.toast)
            s.toast(message, symbol);
    });
}

void copyAndToast(const FileActionServices& s, std::string text, std::string message, std::string symbol) {
    s.queue.runOnMain([s, text = std::move(text), message = std::move(message), symbol = std::move(symbol)] {
        s.pasteboard.writeString(text);
        if (s.toast)
            s.toast(message, symbol);
    });
}

void saveClipboard(const FileActionServices& s, Path destination, std::string bytes, const char* ext,
                   const char* toastKey) {
    std::string name = "剪贴板-" + LocalDateText::compactStamp(std::chrono::system_clock::now()) + ext;
    s.queue.runInBackground([s, destination = std::move(destination), bytes = std::move(bytes),
                             name = std::move(name), toastKey] {
        // No free-name search: a second save within the same second finds the name taken and stops.
        Path file = destination / name;
        if (!isDirectory(destination) || writeNewFile(file, bytes))
            return;
        recordAndToast(s, FileOperation::Kind::clipboardToFile, {{std::nullopt, file.string()}},
                       ODLocalized(toastKey, name), "arrow.down.doc");
    });
}

} // namespace

void ProxyActionHandler::paste(Paths urls, Path destination, bool move) {
    services_.queue.runInBackground([s = services_, urls = std::move(urls),
                                     destination = std::move(destination), move] {
        Paths items = existing(urls);
        if (items.empty() || !isDirectory(destination))
            return;
        PasteOutcome outcome = OperationJournal::paste(s.history, items, destination, move,
                                                       std::chrono::system_clock::now(), makeUUIDString());
        s.queue.runOnMain([s, toast = pasteToast(outcome, move)] {
            if (s.toast)
                s.toast(toast.message, toast.symbol);
        });
    });
}

void ProxyActionHandler::copyFromFile(const std::string& action, Path source,
                                      std::optional<std::string> algorithm) {
    services_.queue.runInBackground([s = services_, action, source = std::move(source),
                                     algorithm = std::move(algorithm)] {
        if (action == "hash") {
            HashAlgorithm hashAlgorithm = *HashAlgorithm::fromRawValue(*algorithm);
            std::error_code error;
            if (std::optional<std::string> digest = FileHasher::hash(source, hashAlgorithm, error))
                copyAndToast(s, std::move(*digest),
                             ODLocalized("已复制哈希 (%@)", std::string(hashAlgorithm.displayName())),
                             "number");
            return;
        }
        if (action == "copyMetadata") {
            if (!entryExists(source))
                return;
            FileMetadata metadata = ContentActions::metadata(source, s.contentTypes, s.imageSizes);
            copyAndToast(s, MetadataFormatter::format(metadata), ODLocalized("已复制元数据"), "info.circle");
            return;
        }
        // Content and Base64 stay within the size limit the user set, as in the file manager.
        ContentActions::LimitedRead read = ContentActions::readWithinLimit(source, s.loadSettings());
        if (read.tooLarge || !read.bytes)
            return;
        if (action == "copyBase64")
            copyAndToast(s, Base64::encode(*read.bytes), ODLocalized("已复制为 Base64"), "doc.text");
        else if (UnicodeText::isValidUTF8(*read.bytes))
            copyAndToast(s, std::move(*read.bytes), ODLocalized("已复制文件内容"), "doc.text");
    });
}

void ProxyActionHandler::makeLinks(Paths urls) {
    services_.queue.runInBackground([s = services_, urls = std::move(urls)] {
        std::vector<FileOperationItem> links = SymlinkActions::makeLinks(existing(urls));
        if (links.empty())
            return;
        auto count = static_cast<std::int64_t>(links.size());
        recordAndToast(s, FileOperation::Kind::symlink, std::move(links),
                       ODLocalized("已创建 %lld 个符号链接", count), "link");
    });
}

void ProxyActionHandler::createTemplate(Path destination, std::string templateID) {
    services_.queue.runInBackground([s = services_, templates = templates_,
                                     destination = std::move(destination),
                                     templateID = std::move(templateID)] {
        if (!isDirectory(destination) || !templates)
            return;
        for (const FileTemplate& fileTemplate : templates()) {
            if (fileTemplate.id != templateID)
                continue;
            std::error_code error;
            std::optional<Path> made =
                FileCreator::create(fileTemplate, destination, ODLocalized("未命名"),
                                    LocalDateText::date(std::chrono::system_clock::now()), error);
            if (made)
                recordAndToast(s, FileOperation::Kind::newFile, {{std::nullopt, made->string()}},
                               ODLocalized("已新建 %@", PathRules::lastPathComponent(made->string())),
                               "doc.badge.plus");
            return;
        }
    });
}

void ProxyActionHandler::createFolder(Path destination) {
    services_.queue.runInBackground([s = services_, destination = std::move(destination)] {
        if (!isDirectory(destination))
            return;
        std::error_code error;
        std::optional<Path> folder =
            FileCreator::createFolder(destination, ODLocalized("未命名文件夹"), error);
        if (!folder)
            return;
        recordAndToast(s, FileOperation::Kind::newFile, {{std::nullopt, folder->string()}},
                       ODLocalized("已新建 %@", folder->filename().string()), "folder.badge.plus");
    });
}

void ProxyActionHandler::clipboardToFile(Path destination) {
    // Text first; only a clipboard without text is asked for an image.
    services_.pasteboard.readString([s = services_, destination](std::optional<std::string> text) {
        if (text && !text->empty())
            return saveClipboard(s, destination, std::move(*text), ".txt", "剪贴板文本已存为 %@");
        s.pasteboardImage.readPNG([s, destination](std::optional<std::string> png) {
            if (png && !png->empty())
                saveClipboard(s, destination, std::move(*png), ".png", "剪贴板图片已存为 %@");
        });
    });
}

void ProxyActionHandler::openInApp(const ProxyActionRequest& request, Paths targets) {
    bool terminal = request.action == "openTerminal";
    services_.queue.runInBackground([s = services_, terminal, targets = std::move(targets)] {
        Paths items = existing(targets);
        if (items.empty())
            return;
        OndravellSettings settings = s.loadSettings();
        platform::AppLauncher& launcher = s.launcher;
        if (terminal) {
            // The terminal starts in a folder; handing it a file would make it run that file.
            launcher.openTerminal(OpenWithActions::resolve(launcher, settings.preferredTerminalBundleID,
                                                           OpenWithActions::systemTerminalBundleID),
                                  terminalFolder(items));
            return;
        }
        std::optional<std::string> preferred = settings.preferredEditorBundleID;
        if (!preferred || preferred->empty())
            preferred = OpenWithActions::detectDefaultEditorBundleID(launcher);
        launcher.openFiles(
            OpenWithActions::resolve(launcher, preferred, OpenWithActions::systemEditorBundleID), items);
    });
}

} // namespace ondravell
