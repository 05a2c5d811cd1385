#include "core/FileOps/FileOperator.h"

#include "core/FileOps/FileCreator.h"
#include "core/FileOps/FileTree.h"
#include "core/FileOps/FolderNames.h"
#include "core/FileOps/Leftovers.h"
#include "core/FileOps/PathGuard.h"
#include "core/Support/PathRules.h"

#include <optional>
#include <set>
#include <sys/stat.h>
#include <utility>

namespace ondravell {

namespace {

using MovedPair = std::pair<std::filesystem::path, std::filesystem::path>;

// The path as the record keeps it: without trailing slashes, which would make "a/" name nothing.
std::filesystem::path withoutTrailingSlash(const std::filesystem::path& path) {
    std::string text = path.native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// Whether the system would act on the whole path: it reads a path only up to its first NUL.
bool isWhole(const std::string& path) {
    return path.find('\0') == std::string::npos;
}

// The first free name for the source in the destination, by the names taken there. nullopt for a
// source without a name of its own ("/", "a/..") and for paths that hold a NUL.
std::optional<std::string> freeName(const std::filesystem::path& source,
                                    const std::filesystem::path& destination, const FolderNames& taken) {
    if (!isWhole(source.native()) || !isWhole(destination.native()))
        return std::nullopt;
    std::string name = PathRules::lastPathComponent(source.native());
    if (!FileCreator::isPlainFileName(name))
        return std::nullopt;
    return taken.freeName(PathRules::nameWithoutExtension(name), PathRules::pathExtension(name));
}

bool sameFolder(const std::filesystem::path& folder, const struct stat& other) {
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && info.st_dev == other.st_dev && info.st_ino == other.st_ino;
}

// The destination's names, listed once and brought up to date as items land, so that every item gets
// the name a fresh listing before it would give.
class DestinationNames {
public:
    // What killed moves left in the destination goes on the way, from the same listing.
    explicit DestinationNames(const std::filesystem::path& destination)
        : names_(listedClean(destination)), known_(::stat(destination.c_str(), &folder_) == 0) {}

    const FolderNames& names() const { return names_; }
    // A name found taken after all: another program created it since the listing.
    void taken(const std::string& name) { names_.add(name); }

    void landed(const std::filesystem::path& source, const std::string& name, bool moved) {
        names_.add(name);
        // An item moved out of the destination itself leaves its old name free.
        if (moved && known_ && sameFolder(source.parent_path().empty() ? "." : source.parent_path(), folder_))
            names_.remove(PathRules::lastPathComponent(source.native()));
    }

    // A copy that failed and could not clear away what it made still holds its name.
    void failed(const std::filesystem::path& target, const std::string& name) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) == 0)
            names_.add(name);
    }

private:
    static FolderNames listedClean(const std::filesystem::path& destination) {
        std::set<std::string> names = FolderNames::entryNames(destination);
        Leftovers::removeIn(destination, names);
        return FolderNames(names);
    }

    FolderNames names_;
    struct stat folder_ {};
    bool known_;
};

// The options of a move or copy that tell `steps` of what every move does.
FileTree::Options treeOptions(const FileOperator::Steps& steps) {
    FileTree::Options options;
    options.partial = steps.partial;
    options.copying = steps.copying;
    options.removing = steps.removing;
    return options;
}

// Moves an item back from `to` to `from`, which must be free.
bool putBack(const std::filesystem::path& to, const std::filesystem::path& from,
             const FileOperator::Steps& steps) {
    FileTree::Options options = treeOptions(steps);
    if (steps.puttingBack)
        options.landing = [&](const std::filesystem::path& back, const FileTree::Identity& identity) {
            steps.puttingBack(to, back, identity);
        };
    std::filesystem::path target = from;
    std::error_code error;
    return FileTree::move(to, target, error, options);
}

// Puts every moved item back, newest first. An item that cannot go back stays where it is.
void rollBack(const std::vector<MovedPair>& moved, const FileOperator::Steps& steps) {
    for (auto pair = moved.rbegin(); pair != moved.rend(); ++pair)
        putBack(pair->second, pair->first, steps);
}

enum class PathState { missing, present, unknown };

PathState stateOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0)
        return PathState::present;
    return errno == ENOENT || errno == ENOTDIR ? PathState::missing : PathState::unknown;
}

// Moves an item back to where it came from. True when it is back, or was already.
bool undoMove(const FileOperationItem& item, const FileOperator::Steps& steps) {
    if (!isWhole(*item.to) || !isWhole(*item.from))
        return false;
    PathState to = stateOf(*item.to);
    PathState from = stateOf(*item.from);
    if (to == PathState::missing && from == PathState::present)
        return true;
    // Gone from where it went, its old place taken, or a path that undo must never take away.
    if (to != PathState::present || from != PathState::missing || PathGuard::isProtected(*item.to))
        return false;
    return putBack(*item.to, *item.from, steps);
}

// Takes away what an operation created: into the trash, as the user may have worked on it since (a
// changed copy, files added to a copied folder), or, for a link, which holds no work, for good.
UndoResult undoCreation(const FileOperationItem& item, bool toTrash, platform::Trash& trash) {
    if (!isWhole(*item.to))
        return UndoResult::incomplete;
    PathState to = stateOf(*item.to);
    if (to == PathState::missing)
        return UndoResult::undone;
    if (to == PathState::unknown || PathGuard::isProtected(*item.to))
        return UndoResult::incomplete;
    if (toTrash) {
        switch (trash.moveToTrash(*item.to)) {
        case platform::Trash::Result::trashed:
            return UndoResult::undone;
        case platform::Trash::Result::unsupported:
            return UndoResult::trashUnsupported;
        case platform::Trash::Result::failed:
            return UndoResult::incomplete;
        }
    }
    std::error_code error;
    return FileTree::remove(*item.to, error) ? UndoResult::undone : UndoResult::incomplete;
}

// The result of a whole undo: a trash that is missing outweighs other failures, as it is the one the
// user cannot see.
UndoResult worse(UndoResult a, UndoResult b) {
    if (a == UndoResult::trashUnsupported || b == UndoResult::trashUnsupported)
        return UndoResult::trashUnsupported;
    return a == UndoResult::undone ? b : a;
}

} // namespace

PasteOutcome FileOperator::paste(const std::vector<std::filesystem::path>& sources,
                                 const std::filesystem::path& destination, bool move,
                                 std::chrono::system_clock::time_point now, const std::string& id,
                                 const Progress& onProgress, const Steps& steps) {
    const std::size_t total = sources.size();
    std::vector<MovedPair> done;
    std::size_t failures = 0;
    std::optional<DestinationNames> taken;
    if (total > 0)
        taken.emplace(destination);
    FileTree::Memory memory;
    bool stopped = false;
    for (std::size_t i = 0; i < total; ++i) {
        if (steps.stop && steps.stop()) {
            stopped = true;
            break;
        }
        std::filesystem::path source = withoutTrailingSlash(sources[i]);
        auto name = freeName(source, destination, taken->names());
        std::filesystem::path target = name ? destination / *name : std::filesystem::path();
        FileTree::Options options = treeOptions(steps);
        options.memory = &memory;
        // A name taken since the listing: the next free one, as a fresh listing would have given.
        options.retarget = [&](const std::filesystem::path&) -> std::optional<std::filesystem::path> {
            taken->taken(*name);
            name = freeName(source, destination, taken->names());
            return name ? std::optional(destination / *name) : std::nullopt;
        };
        if (steps.landing)
            options.landing = [&](const std::filesystem::path& to, const FileTree::Identity& identity) {
                steps.landing(FileOperationItem{source.native(), to.native()}, identity);
            };
        if (steps.landed)
            options.landed = [&](const std::filesystem::path& to) {
                steps.landed(FileOperationItem{source.native(), to.native()});
            };
        std::error_code error;
        bool ok = name && (move ? FileTree::move(source, target, error, options)
                                : FileTree::copy(source, target, error, options));
        if (ok) {
            taken->landed(source, *name, move);
            if (steps.done)
                steps.done(FileOperationItem{source.native(), target.native()});
            done.emplace_back(std::move(source), std::move(target));
        } else if (move) {
            rollBack(done, steps);
            if (onProgress)
                onProgress(i + 1, total);
            return PasteOutcome{std::nullopt, 0, total, true};
        } else {
            ++failures;
            if (name)
                taken->failed(target, *name);
        }
        if (onProgress)
            onProgress(i + 1, total);
    }
    if (done.empty())
        return PasteOutcome{std::nullopt, 0, failures, false, stopped};

    FileOperation operation{id, move ? FileOperation::Kind::move : FileOperation::Kind::copy, now, {}, false};
    operation.items.reserve(done.size());
    for (const auto& [source, target] : done)
        operation.items.push_back(FileOperationItem{source.native(), target.native()});
    return PasteOutcome{std::move(operation), done.size(), failures, false, stopped};
}

UndoResult FileOperator::undo(const FileOperation& operation, platform::Trash& trash, const Steps& steps) {
    UndoResult result = UndoResult::undone;
    switch (operation.kind) {
    case FileOperation::Kind::delete_:
        return UndoResult::incomplete;
    case FileOperation::Kind::move: {
        // What a killed undo left where the items go back to, and where they are taken away from.
        std::set<std::filesystem::path> folders;
        for (const FileOperationItem& item : operation.items)
            for (const auto& end : {item.from, item.to})
                if (end && isWhole(*end))
                    folders.insert(std::filesystem::path(*end).parent_path());
        for (const std::filesystem::path& folder : folders)
            Leftovers::removeIn(folder);
        for (auto item = operation.items.rbegin(); item != operation.items.rend(); ++item) {
            if (item->from && item->to && !undoMove(*item, steps))
                result = UndoResult::incomplete;
        }
        return result;
    }
    case FileOperation::Kind::copy:
    case FileOperation::Kind::newFile:
    case FileOperation::Kind::clipboardToFile:
    case FileOperation::Kind::symlink: {
        const bool toTrash = operation.kind != FileOperation::Kind::symlink;
        for (const FileOperationItem& item : operation.items) {
            if (item.to)
                result = worse(result, undoCreation(item, toTrash, trash));
        }
        return result;
    }
    }
    return UndoResult::incomplete;
}

} // namespace ondravell
