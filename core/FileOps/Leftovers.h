#pragma once

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>

namespace ondravell {

// What a process killed half-way through its work leaves behind: the hidden partial item of a copy or of
// a move across file systems (".ondravell-moving-<UUID>" beside its destination) and the temporary file of a
// history write (".operation-history.json.XXXXXX" beside the history). Nothing else would ever remove
// them, so whoever next works in such a folder clears away those that are older than a minute and that
// no running process holds open.
struct Leftovers {
    static constexpr std::string_view movingPrefix = ".ondravell-moving-";
    // Younger ones may belong to work that is about to finish (a rename just after the last write).
    static constexpr std::chrono::seconds minimumAge{60};

    // Whether a name is one of the two kinds above.
    static bool isLeftoverName(std::string_view name);

    // Removes the leftovers among `names` (the folder's entries, as the caller listed them) whose last
    // change lies at least `minimumAge` before `now`. Only our own items are looked at (any item when
    // running as root), since the open files of other users' processes cannot be seen.
    static void removeIn(const std::filesystem::path& folder, const std::set<std::string>& names,
                         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
    // The same for a folder not listed yet.
    static void removeIn(const std::filesystem::path& folder,
                         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
};

} // namespace ondravell
