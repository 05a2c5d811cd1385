#include "core/FileOps/OperationHistory.h"

#include "core/FileOps/HistoryText.h"
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
//
// The flock alone is not fair: an unlock wakes every waiter, and a writer that unlocks and comes straight
// back usually takes it again before the woken ones run, so under several busy writers one may wait for
// dozens of turns. Writers therefore line up first on a ladder of record locks on the lock file's first
// bytes (the gates): each takes the gate below before it lets go of the one it holds, so at most one
// writer stands on each gate, and the last byte's holder is the only one waiting for the flock. Up to
// one writer more than there are gates are served in the order they came; the one that just left
// starts again at the top, behind them. The flock stays what excludes, so a writer that knows no gates
// is excluded all the same.
class HistoryLock {
public:
    static constexpr int gates = 4;

    explicit HistoryLock(const std::filesystem::path& dataFile) {
        std::filesystem::path lockFile = dataFile.parent_path() / OperationHistory::lockFileName;
        fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666);
        if (fd_ < 0)
            return;
        int held = -1; // the gate this writer stands on
        for (int gate = gates - 1; gate >= 0; --gate) {
            if (!setGate(gate, F_WRLCK, F_OFD_SETLKW))
                break;
            if (held >= 0)
                setGate(held, F_UNLCK, F_OFD_SETLK);
            held = gate;
        }
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
        if (held >= 0)
            setGate(held, F_UNLCK, F_OFD_SETLK);
    }
    ~HistoryLock() {
        // Closing the descriptor releases the lock.
        if (fd_ >= 0)
            ::close(fd_);
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

private:
    bool setGate(int gate, short type, int command) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET;
        range.l_start = gate;
        range.l_len = 1;
        int result = 0;
        while ((result = ::fcntl(fd_, command, &range)) != 0 && errno == EINTR) {
        }
        return result == 0;
    }

    int fd_ = -1;
};

std::vector<FileOperation> decodeOperations(std::string_view text) {
    auto json = StrictJson::parse(text);
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

std::vector<FileOperation> readOperations(const std::filesystem::path& file) {
    auto text = readRegularFile(file);
    return text ? decodeOperations(*text) : std::vector<FileOperation>{};
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

bool OperationHistory::append(const FileOperation& operation) const {
    if (!fileURL_)
        return false;
    // Everything that does not depend on the file is done before the lock is taken: other writers wait
    // only for the read, the join and the flushed write.
    // The date is written as the number that reading it back and writing it again gives (the clock's
    // nanoseconds do not all survive the trip through a double); it reads back as the same date, and
    // the entry is in the compact form from the start.
    FileOperation stored = operation;
    if (auto date = FileOperation::dateFromSecondsSinceReferenceDate(
            FileOperation::secondsSinceReferenceDate(operation.timestamp)))
        stored.timestamp = *date;
    const std::optional<std::string> added = StrictJson::dump(stored.toJSON());
    if (!added)
        return false;
    HistoryLock lock(*fileURL_);
    const std::optional<std::string> text = readRegularFile(*fileURL_);
    // A file in the form written here keeps its entries' texts as they are; any other is decoded and
    // every entry written again, and one that cannot be decoded counts as empty.
    std::vector<std::string_view> kept;
    std::vector<std::string> rewritten;
    if (auto entries = text ? HistoryText::compactEntries(*text) : std::nullopt) {
        kept = std::move(*entries);
    } else if (text) {
        for (const FileOperation& decoded : decodeOperations(*text)) {
            std::optional<std::string> entry = StrictJson::dump(decoded.toJSON());
            if (!entry)
                return false;
            rewritten.push_back(std::move(*entry));
        }
        kept.assign(rewritten.begin(), rewritten.end());
    }
    kept.push_back(*added);
    if (kept.size() > maxEntries)
        kept.erase(kept.begin(), kept.end() - static_cast<std::ptrdiff_t>(maxEntries));
    std::string joined = "[";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0)
            joined += ',';
        joined += kept[i];
    }
    joined += ']';
    return writeFileAtomically(*fileURL_, joined);
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
