#include "core/FileOps/Leftovers.h"

#include "core/FileOps/FileTree.h"
#include "core/FileOps/FolderNames.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace ondravell {

namespace {

bool isUpperHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// A UUID exactly as makeUUIDString writes it: upper-case, version 4, the RFC variant.
bool isOurUuid(std::string_view text) {
    if (text.size() != 36 || text[14] != '4' ||
        std::string_view("89AB").find(text[19]) == std::string_view::npos)
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !isUpperHexDigit(text[i]))
            return false;
    }
    return true;
}

// The six letters or digits mkstemp puts in place of "XXXXXX".
bool isTemporarySuffix(std::string_view text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c));
           });
}

struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};

// The candidates that some running process holds open, known by identity rather than by path, which
// links, bind mounts and other mount namespaces would change: a move still copying holds the very
// folder or file it copies into, a history write its temporary file.
std::vector<Identity> heldOpen(const std::vector<Identity>& candidates) {
    std::vector<Identity> held;
    std::error_code error;
    for (std::filesystem::directory_iterator process("/proc", error), end; !error && process != end;
         process.increment(error)) {
        const std::string pid = process->path().filename();
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        std::error_code fdError;
        for (std::filesystem::directory_iterator fd(process->path() / "fd", fdError), fdEnd;
             !fdError && fd != fdEnd; fd.increment(fdError)) {
            struct stat info {};
            if (::stat(fd->path().c_str(), &info) != 0)
                continue;
            const Identity opened{info.st_dev, info.st_ino};
            if (std::find(candidates.begin(), candidates.end(), opened) != candidates.end())
                held.push_back(opened);
        }
    }
    return held;
}

// Removes the items among `names` that `isOurs` knows as ours, whose last change lies at least the
// minimum age before `now`, that belong to this user (root too keeps to its own) and that no running
// process holds open.
template <typename IsOurs>
void removeMatching(const std::filesystem::path& folder, const std::set<std::string>& names,
                    std::chrono::system_clock::time_point now, const IsOurs& isOurs) {
    const auto latest = std::chrono::system_clock::to_time_t(now - Leftovers::minimumAge);
    const uid_t self = ::geteuid();
    std::vector<std::pair<std::filesystem::path, Identity>> candidates;
    for (const std::string& name : names) {
        if (!isOurs(name))
            continue;
        const std::filesystem::path item = folder / name;
        struct stat info {};
        // The change time, which no program can set back: the copy's own times are the original's.
        if (::lstat(item.c_str(), &info) == 0 && info.st_uid == self && info.st_ctim.tv_sec <= latest)
            candidates.emplace_back(item, Identity{info.st_dev, info.st_ino});
    }
    if (candidates.empty())
        return;
    std::vector<Identity> identities;
    for (const auto& candidate : candidates)
        identities.push_back(candidate.second);
    const std::vector<Identity> held = heldOpen(identities);
    for (const auto& [item, identity] : candidates) {
        if (std::find(held.begin(), held.end(), identity) != held.end())
            continue;
        std::error_code ignored;
        FileTree::remove(item, ignored);
    }
}

} // namespace

bool Leftovers::isPartialName(std::string_view name) {
    return name.starts_with(movingPrefix) && isOurUuid(name.substr(movingPrefix.size()));
}

bool Leftovers::isHistoryTemporaryName(std::string_view name, const std::filesystem::path& historyFile) {
    const std::string temporaryPrefix = "." + historyFile.filename().string() + ".";
    return name.starts_with(temporaryPrefix) && isTemporarySuffix(name.substr(temporaryPrefix.size()));
}

void Leftovers::removeIn(const std::filesystem::path& folder, const std::set<std::string>& names,
                         std::chrono::system_clock::time_point now) {
    removeMatching(folder, names, now, isPartialName);
}

void Leftovers::removeIn(const std::filesystem::path& folder, std::chrono::system_clock::time_point now) {
    removeIn(folder, FolderNames::entryNames(folder), now);
}

void Leftovers::removeBesideHistory(const std::filesystem::path& historyFile,
                                    const std::set<std::string>& names,
                                    std::chrono::system_clock::time_point now) {
    removeMatching(historyFile.parent_path(), names, now, [&](std::string_view name) {
        return isPartialName(name) || isHistoryTemporaryName(name, historyFile);
    });
}

} // namespace ondravell
