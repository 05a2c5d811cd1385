#pragma once

#include "core/FileOps/FileOperation.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace ondravell {

// The shared history file "operation-history.json" in the container root: a JSON array of operations,
// oldest first, at most `maxEntries` long. Both programs append to it, so every read-modify-write runs
// under an exclusive flock on a lock file beside it; readers need no lock because writes replace the
// file atomically. Nothing here throws or tells the user: a failure leaves the file as it was, and only
// `append` says whether it wrote, for callers that keep the entry elsewhere until it did.
class OperationHistory {
public:
    static constexpr std::size_t maxEntries = 50;
    static constexpr std::string_view fileName = "operation-history.json";
    // Stays in place for good: locking the data file itself would not work, since each write replaces it.
    static constexpr std::string_view lockFileName = "operation-history.json.lock";

    explicit OperationHistory(std::optional<std::filesystem::path> fileURL) : fileURL_(std::move(fileURL)) {}
    // The history of the app-group container; without a container every call does nothing.
    static OperationHistory forAppGroup(std::string_view appGroupID);

    const std::optional<std::filesystem::path>& fileURL() const { return fileURL_; }

    // Oldest first, as stored. An unreadable or undecodable file reads as empty.
    std::vector<FileOperation> loadAscending() const;
    // Newest first.
    std::vector<FileOperation> load() const;
    // Adds at the end and keeps the newest `maxEntries`. True once the file holds the entry; false when
    // there is no file or the write failed, which leaves the file as it was.
    bool append(const FileOperation& operation) const;
    // Replaces the first entry with the same id; writes nothing when there is none.
    void update(const FileOperation& operation) const;
    // Writes "[]".
    void clear() const;

private:
    void save(const std::vector<FileOperation>& operations) const;

    std::optional<std::filesystem::path> fileURL_;
};

} // namespace ondravell
