#pragma once

#include "core/FileOps/FileMetadata.h"
#include "core/Models/MenuContext.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

class FinderSyncExtension;
struct OndravellSettings;

namespace platform {
class ContentTypeReader;
class ImageSizeReader;
class PasteboardImageReader;
} // namespace platform

// Moving data between a file and the clipboard: the first item's text, its Base64 form or a description
// of it go onto the clipboard; the clipboard's image or text goes into a new file. Files are read and
// written on the extension's worker, the clipboard is touched on the host's thread.
struct ContentActions {
    // What these actions need beyond the extension's own services; owned by the host.
    struct Services {
        platform::ContentTypeReader& contentTypes;
        platform::ImageSizeReader& imageSizes;
        platform::PasteboardImageReader& pasteboardImage;
    };

    static constexpr std::string_view copyContentActionID = "copy.content";
    static constexpr std::string_view copyBase64ActionID = "copy.base64";
    static constexpr std::string_view copyMetadataActionID = "copy.metadata";
    static constexpr std::string_view clipboardToFileActionID = "clipboard.to.file";
    static constexpr std::string_view clipboardBaseName = "clipboard";

    static void install(FinderSyncExtension& extension, Services services);

    // The bytes of a regular file of at most the settings' limit. `tooLarge` when it holds more;
    // nullopt bytes when it is no regular file or cannot be read. Never reads more than the limit and
    // one byte, and never waits on a FIFO or device.
    struct LimitedRead {
        std::optional<std::string> bytes;
        bool tooLarge = false;
    };
    static LimitedRead readWithinLimit(const std::filesystem::path& path, const OndravellSettings& settings);

    // The name, kind, size, dates, content type and pixel size of an item.
    static FileMetadata metadata(const std::filesystem::path& path,
                                 const platform::ContentTypeReader& contentTypes,
                                 const platform::ImageSizeReader& imageSizes);

    // The folder clicked into, else the first selected folder; a selected file never names one.
    static std::optional<std::filesystem::path> clipboardDestination(const MenuContext& context);
    // Writes `bytes` to a new file "clipboard[ n].<ext>" in `directory`; an existing file is never
    // replaced, and a name taken meanwhile makes it choose again.
    static std::optional<std::filesystem::path> saveNewFile(const std::filesystem::path& directory,
                                                            std::string_view ext, std::string_view bytes);
};

} // namespace ondravell
