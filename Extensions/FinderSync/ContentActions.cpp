#include "Extensions/FinderSync/ContentActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/OperationRecording.h"
#include "Extensions/FinderSync/SelectionTargets.h"
#include "Extensions/FinderSync/ToastQueue.h"
#include "Extensions/FinderSync/ToastSymbols.h"
#include "core/FileOps/FileCreator.h"
#include "core/FileOps/MetadataFormatter.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/Base64.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"
#include "platform/ContentTypeReader.h"
#include "platform/ImageSizeReader.h"
#include "platform/PasteboardImageReader.h"

#include <algorithm>
#include <limits>
#include <sys/stat.h>

namespace ondravell {

namespace {

using Services = FinderSyncExtension::Services;

enum class Encoding { text, base64 };

void postToast(const Services& services, const std::string& message, std::string_view symbol) {
    services.toasts->post(message, std::string(symbol));
}

// Puts the text on the clipboard on the host's thread, then asks for the toast; called on the worker.
void deliver(const Services& services, std::string text, std::string toast) {
    if (text.empty())
        return;
    services.queue.runOnMain([services, text = std::move(text), toast = std::move(toast)] {
        services.pasteboard.writeString(text);
        postToast(services, toast, ToastSymbols::success);
    });
}

void copyEncoded(const Services& services, const OndravellSettings& settings,
                 const std::filesystem::path& path, Encoding encoding) {
    ContentActions::LimitedRead read = ContentActions::readWithinLimit(path, settings);
    if (read.tooLarge) {
        std::string actionName = ODLocalized(encoding == Encoding::text ? "复制内容" : "复制为 Base64");
        postToast(services,
                  ODLocalized("文件超过 %lld MB，已跳过「%@」（可在设置调整上限）",
                              settings.maxCopyFileSizeMB, actionName),
                  ToastSymbols::warning);
        return;
    }
    if (encoding == Encoding::base64) {
        if (read.bytes)
            deliver(services, Base64::encode(*read.bytes), ODLocalized("已复制为 Base64"));
        return;
    }
    // A NUL is valid UTF-8, yet the clipboard's text would end at it: such a file is not text.
    if (!read.bytes || !UnicodeText::isValidUTF8(*read.bytes) ||
        read.bytes->find('\0') != std::string::npos) {
        postToast(services, ODLocalized("不是文本文件，无法复制内容"), ToastSymbols::warning);
        return;
    }
    deliver(services, std::move(*read.bytes), ODLocalized("已复制文件内容"));
}

void startCopy(FinderSyncExtension& extension, const MenuContext& context, Encoding encoding) {
    if (context.items().empty())
        return;
    Services services = extension.services();
    services.queue.runInBackground([services, files = extension.sharedFiles(),
                                    path = context.items().front().url(),
                                    encoding] { copyEncoded(services, files->settings(), path, encoding); });
}

void saveClipboard(const Services& services, const std::filesystem::path& directory, std::string_view ext,
                   std::string bytes, std::string_view toastKey) {
    services.queue.runInBackground(
        [services, directory, ext = std::string(ext), bytes = std::move(bytes), toastKey] {
            std::optional<std::filesystem::path> saved = ContentActions::saveNewFile(directory, ext, bytes);
            if (!saved)
                return;
            OperationRecording::record(FileOperation::Kind::clipboardToFile,
                                       {FileOperationItem{std::nullopt, saved->string()}});
            postToast(services, ODLocalized(toastKey, PathRules::lastPathComponent(saved->native())),
                      ToastSymbols::success);
        });
}

// The image wins over text when the clipboard holds both.
void clipboardToFile(Services services, platform::PasteboardImageReader& images, const MenuContext& context) {
    std::optional<std::filesystem::path> directory = ContentActions::clipboardDestination(context);
    if (!directory)
        return;
    images.readPNG([services, directory = *directory](std::optional<std::string> png) {
        if (png && !png->empty()) {
            saveClipboard(services, directory, "png", std::move(*png), "剪贴板图片已存为 %@");
            return;
        }
        services.pasteboard.readString([services, directory](std::optional<std::string> text) {
            if (text && !text->empty()) {
                saveClipboard(services, directory, "txt", std::move(*text), "剪贴板文本已存为 %@");
                return;
            }
            postToast(services, ODLocalized("剪贴板没有可保存的图片或文本"), ToastSymbols::warning);
        });
    });
}

void copyMetadata(FinderSyncExtension& extension, const ContentActions::Services& readers,
                  const MenuContext& context) {
    if (context.items().empty())
        return;
    Services services = extension.services();
    services.queue.runInBackground([services, readers, path = context.items().front().url()] {
        deliver(services,
                MetadataFormatter::format(
                    ContentActions::metadata(path, readers.contentTypes, readers.imageSizes)),
                ODLocalized("已复制元数据"));
    });
}

} // namespace

void ContentActions::install(FinderSyncExtension& extension, Services readers) {
    extension.setCommandHandler(
        std::string(copyContentActionID),
        [](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            startCopy(target, context, Encoding::text);
        });
    extension.setCommandHandler(
        std::string(copyBase64ActionID),
        [](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            startCopy(target, context, Encoding::base64);
        });
    extension.setCommandHandler(
        std::string(copyMetadataActionID),
        [readers](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            copyMetadata(target, readers, context);
        });
    extension.setCommandHandler(
        std::string(clipboardToFileActionID),
        [readers](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            clipboardToFile(target.services(), readers.pasteboardImage, context);
        });
}

ContentActions::LimitedRead ContentActions::readWithinLimit(const std::filesystem::path& path,
                                                            const OndravellSettings& settings) {
    auto limit = static_cast<std::uint64_t>(settings.maxCopyFileSizeBytes());
    limit = std::min<std::uint64_t>(limit, std::numeric_limits<std::size_t>::max() - 1);
    // A size known up front spares reading a file that is plainly too large.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uint64_t>(info.st_size) > limit)
        return {std::nullopt, true};
    std::optional<std::string> bytes = readRegularFile(path, static_cast<std::size_t>(limit));
    if (bytes && bytes->size() > limit)
        return {std::nullopt, true};
    return {std::move(bytes), false};
}

FileMetadata ContentActions::metadata(const std::filesystem::path& path,
                                      const platform::ContentTypeReader& contentTypes,
                                      const platform::ImageSizeReader& imageSizes) {
    FileMetadata metadata = FileMetadata::read(path);
    metadata.typeIdentifier = contentTypes.contentType(path);
    if (std::optional<platform::PixelSize> size = imageSizes.pixelSize(path)) {
        metadata.pixelWidth = size->width;
        metadata.pixelHeight = size->height;
    }
    return metadata;
}

std::optional<std::filesystem::path> ContentActions::clipboardDestination(const MenuContext& context) {
    if (context.container())
        return context.container();
    return SelectionTargets::firstDirectory(context);
}

std::optional<std::filesystem::path> ContentActions::saveNewFile(const std::filesystem::path& directory,
                                                                 std::string_view ext,
                                                                 std::string_view bytes) {
    std::error_code error;
    return FileCreator::createUnderFreeName(
        directory, clipboardBaseName, ext,
        [bytes](const std::filesystem::path& path, std::string_view) { return writeNewFile(path, bytes); },
        error);
}

} // namespace ondravell
