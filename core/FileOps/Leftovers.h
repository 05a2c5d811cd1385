#pragma once

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace ondravell {

// What a process killed half-way through its work leaves behind: the hidden partial item of a copy or of
// a move across file systems (".ondravell-moving-<UUID>" beside its destination, or beside its source
// while the move removes the source under that name) and the temporary file of a history write
// (".operation-history.json.XXXXXX" beside the history). The recovery of a killed paste or undo clears
// away the partials its journal names; for the others (a paste or an undo without a journal), whoever
// next works in such a folder clears away those that are older than a minute and that no running process
// holds open.
//
// Only ever what this program provably made, and never anything else: a partial is known by its whole
// name, our prefix and a version-4 UUID in the upper-case form our own UUIDs take, which no user file
// plausibly has; a history temporary only by its place, the history's own folder, since its pattern
// (".operation-history.json." and any six letters or digits, ".operation-history.json.backup" among them)
// is a name a user may well give a file of their own anywhere else. A name of either kind that differs in
// the least (another case, another length, a trailing character), the history and its lock, and the
// items of other users are never touched.
struct Leftovers {
    static constexpr std::string_view movingPrefix = ".ondravell-moving-";
    // Younger ones may belong to work that is about to finish (a rename just after the last write).
    static constexpr std::chrono::seconds minimumAge{60};

    // Whether a name is that of a partial item as above.
    static bool isPartialName(std::string_view name);
    // Whether a name is that of a temporary file of writing `historyFile`, for the history's folder.
    static bool isHistoryTemporaryName(std::string_view name, const std::filesystem::path& historyFile);

    // Removes the partial items among `names` (the folder's entries, as the caller listed them) whose
    // last change lies at least `minimumAge` before `now`. Only the running user's own items are looked
    // at, root's included: the open files of other users' processes cannot always be seen, and another
    // user's item is never ours to remove.
    static void removeIn(const std::filesystem::path& folder, const std::set<std::string>& names,
                         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
    // The same for a folder not listed yet.
    static void removeIn(const std::filesystem::path& folder,
                         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
    // The same in the history's folder, where the temporary files of killed history writes go too.
    static void
    removeBesideHistory(const std::filesystem::path& historyFile, const std::set<std::string>& names,
                        std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
};

} // namespace ondravell
