#pragma once

#include "core/FileOps/FileDescriptor.h"
#include "core/FileOps/FileTree.h"

#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <utility>
#include <vector>

namespace ondravell {

// The names in a folder, without "." and "..", each with the type the listing tells (DT_UNKNOWN when it
// tells none). Empty, with `error` set, when the folder cannot be read.
std::vector<std::pair<std::string, unsigned char>> listFolderEntries(int folder, std::error_code& error);

// The target of the link `name` in `folder`, which `info` describes; nullopt, with `error` set, when it
// cannot be read whole.
std::optional<std::string> readLinkTarget(int folder, const char* name, const struct stat& info,
                                          std::error_code& error);

// One recursive copy of a file, folder, link or special file. Works on folder descriptors and names
// throughout, so nothing is looked up by a path that could change under it, and nothing is followed.
// Contents (holes staying holes), permission bits, times and extended attributes with the ACLs are kept.
// Stops at the first failure and leaves the clean-up to the caller, who learns from createdTop() whether
// there is anything of its own to remove.
class TreeCopier {
public:
    struct Options {
        // Moves keep the owner; a copy belongs to whoever made it.
        bool keepOwner = false;
        // Fills in an existing tree: entries that exist are left as they are.
        bool merge = false;
        // Where extents could not be shared before, no time is spent trying again.
        FileTree::Memory* memory = nullptr;
    };

    explicit TreeCopier(Options options) : options_(options) {}

    // Copies `fromName` in `fromFolder` to `toName` in `toFolder` (either folder may be AT_FDCWD).
    bool copyEntry(int fromFolder, const char* fromName, int toFolder, const char* toName);

    // Opens `name` in `folder` for reading if it is still the regular file `info` describes, and
    // describes it afresh in `info`; fails with EINVAL when something else has taken its place.
    static FileDescriptor openRegular(int folder, const char* name, struct stat& info,
                                      std::error_code& error);
    // Copies the open regular file `in` (as `info` describes it) into the open, empty file `out` that
    // lies on the device `toDevice`: its contents, attributes, mode and times.
    bool copyFileInto(int in, const struct stat& info, int out, dev_t toDevice);

    // Whether the top item was created by this copy, so only then is it cleared away after a failure.
    bool createdTop() const { return createdTop_; }
    const std::error_code& error() const { return error_; }

private:
    bool fail(std::error_code code);
    bool fail();
    bool creationFailed();
    void created();
    mode_t keptMode(const struct stat& info) const;
    void finish(int from, int fd, const struct stat& info);
    void finishAt(int folder, const char* name, const struct stat& info, bool isLink);
    bool copyFile(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                  const char* toName);
    bool copyFolder(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                    const char* toName);
    bool copyLink(int fromFolder, const char* fromName, const struct stat& info, int toFolder,
                  const char* toName);
    bool copySpecial(const struct stat& info, int toFolder, const char* toName);
    bool copyContents(int in, int out, const struct stat& info, dev_t toDevice);

    Options options_;
    std::error_code error_;
    int depth_ = 0;
    bool createdTop_ = false;
    bool hasTop_ = false;
    // The copy's own top folder, which must never turn up among what it copies.
    struct stat top_ {};
    // The device of the folder being filled, 0 before the first.
    dev_t toDevice_ = 0;
};

} // namespace ondravell
