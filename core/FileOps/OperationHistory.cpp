#include "core/FileOps/OperationHistory.h"

#include "core/Support/AtomicFile.h"
#include "core/Support/StrictJson.h"
#include "platform/AppGroupContainer.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <sys/file.h>
#include <unistd.h>

namespace ondravell {

namespace {

// Holds an exclusive flock on the history's lock file for its lifetime. When the lock file cannot be
// opened the work goes on unguarded: the write that follows would most likely fail as well, and losing
// the lock must not cost the user the entry.
class HistoryLock {
public:
    explicit HistoryLock(const std::filesystem::path& dataFile) {
        std::filesystem::path lockFile = dataFile.parent_path() / OperationHistory::lockFileName;
        fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~HistoryLock() {
        // Closing the descriptor releases the lock.
        if (fd_ >= 0)
            ::close(fd_);
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

private:
    int fd_ = -1;
};

std::vector<FileOperation> readOperations(const std::filesystem::path& file) {
    auto text = readRegularFile(file);
    if (!text)
        return {};
    auto json = StrictJson::parse(*text);
    if (!json || !json->is_array())
        return {};
    std::vector<FileOperation> operations;
    operations.reserve(json->size());
    for (const nlohmann::json& element : *json) {
        auto operation = FileOperation::fromJSON(element);
        if (!operation)
            return {};
        operations.push_back(std::move(*operation));
    }
    return operations;
}

} // namespace

OperationHistory OperationHistory::forAppGroup(std::string_view appGroupID) {
    auto container = platform::appGroupContainerURL(appGroupID);
    if (!container)
        return OperationHistory(std::nullopt);
    return OperationHistory(*container / fileName);
}

std::vector<FileOperation> OperationHistory::loadAscending() const {
    if (!fileURL_)
        return {};
    return readOperations(*fileURL_);
}

std::vector<FileOperation> OperationHistory::load() const {
    auto operations = loadAscending();
    std::reverse(operations.begin(), operations.end());
    return operations;
}

void OperationHistory::append(const FileOperation& operation) const {
    if (!fileURL_)
        return;
    HistoryLock lock(*fileURL_);
    auto operations = readOperations(*fileURL_);
    operations.push_back(operation);
    if (operations.size() > maxEntries)
        operations.erase(operations.begin(), operations.end() - static_cast<std::ptrdiff_t>(maxEntries));
    save(operations);
}

void OperationHistory::update(const FileOperation& operation) const {
    if (!fileURL_)
        return;
    HistoryLock lock(*fileURL_);
    auto operations = readOperations(*fileURL_);
    auto found = std::find_if(operations.begin(), operations.end(),
                              [&](const FileOperation& stored) { return stored.id == operation.id; });
    if (found == operations.end())
        return;
    *found = operation;
    save(operations);
}

void OperationHistory::clear() const {
    if (!fileURL_)
        return;
    HistoryLock lock(*fileURL_);
    save({});
}

void OperationHistory::save(const std::vector<FileOperation>& operations) const {
    nlohmann::json array = nlohmann::json::array();
    for (const FileOperation& operation : operations)
        array.push_back(operation.toJSON());
    // Flushed before the rename: the history is what undo works from, and a power cut right after an
    // unflushed rename can leave an empty file in place of every entry.
    if (auto text = StrictJson::dump(array))
        writeFileAtomically(*fileURL_, *text);
}

} // namespace ondravell
