#include "core/FileOps/OperationJournal.h"

#include "core/FileOps/FileDescriptor.h"
#include "core/FileOps/FileTree.h"
#include "core/FileOps/FolderNames.h"
#include "core/FileOps/Leftovers.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/StrictJson.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

// The key of a line that names a partial item before it is made.
constexpr std::string_view partialKey = "partial";

// Appends whole lines to the journal. A line goes out in one write, so a process killed between two
// items leaves whole lines only; a write cut short by a full disk ends the journal there.
class JournalWriter {
public:
    JournalWriter(const std::filesystem::path& file, FileOperation header)
        : file_(file),
          header_(std::move(header)),
          fd_(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600)),
          created_(bool(fd_)) {
        if (fd_ && ::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0)
            fd_.reset();
    }
    // The journal goes only once the history holds the paste's entry (or there is none to record);
    // otherwise it stays, unlocked, for the next tidying to write the entry from.
    ~JournalWriter() {
        if (created_ && settled_)
            ::unlink(file_.c_str());
    }
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    void record(const FileOperationItem& item, const FileTree::Identity& identity) {
        header_.items.assign(1, item);
        nlohmann::json json = header_.toJSON();
        json["device"] = identity.device;
        json["inode"] = identity.inode;
        write(json);
    }

    void recordPartial(const std::filesystem::path& partial) {
        write(nlohmann::json{{std::string(partialKey), partial.native()}});
    }

    // Nothing the journal tells is left to record.
    void settle() { settled_ = true; }

private:
    void write(const nlohmann::json& json) {
        if (!fd_)
            return;
        auto line = StrictJson::dump(json);
        if (!line)
            return;
        line->push_back('\n');
        if (::write(fd_.get(), line->data(), line->size()) != static_cast<ssize_t>(line->size()))
            fd_.reset();
    }

    std::filesystem::path file_;
    FileOperation header_;
    FileDescriptor fd_;
    bool created_;
    bool settled_ = false;
};

// Whether the item a line tells of is in its destination: the very item that was to land there. A line
// without an identity was written once its item had landed.
bool landed(const nlohmann::json& line, const FileOperationItem& item) {
    const auto device = line.find("device");
    const auto inode = line.find("inode");
    if (!item.to)
        return false;
    if (device == line.end() && inode == line.end())
        return true;
    if (device == line.end() || inode == line.end() || !device->is_number_unsigned() ||
        !inode->is_number_unsigned())
        return false;
    return FileTree::Identity::of(*item.to) ==
           FileTree::Identity{device->get<std::uint64_t>(), inode->get<std::uint64_t>()};
}

struct JournalContents {
    // Its first item line's record with the items of every whole line whose item landed.
    std::optional<FileOperation> operation;
    // The hidden partial items its paste made.
    std::vector<std::filesystem::path> partials;
};

JournalContents readJournal(std::string_view text) {
    JournalContents contents;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string_view::npos;
         start = end + 1) {
        auto json = StrictJson::parse(text.substr(start, end - start));
        if (json && json->is_object() && json->size() == 1 && json->contains(std::string(partialKey))) {
            const nlohmann::json& partial = json->at(std::string(partialKey));
            if (!partial.is_string())
                break;
            contents.partials.emplace_back(partial.get<std::string>());
            continue;
        }
        auto line = json ? FileOperation::fromJSON(*json) : std::nullopt;
        if (!line || line->items.size() != 1)
            break;
        auto& operation = contents.operation;
        if (!operation)
            operation = FileOperation{line->id, line->kind, line->timestamp, {}, false};
        if (landed(*json, line->items.front()))
            operation->items.push_back(std::move(line->items.front()));
    }
    return contents;
}

// Removes what a paste whose writer is gone made under a hidden name and never finished: its journal
// names the item and the name is that of a partial, so it is ours twice over. Nothing else is touched,
// whatever a journal says.
void removePartials(const std::vector<std::filesystem::path>& partials) {
    for (const std::filesystem::path& partial : partials) {
        if (!partial.is_absolute() || !Leftovers::isPartialName(partial.filename().native()))
            continue;
        std::error_code ignored;
        FileTree::remove(partial, ignored);
    }
}

// Takes over a journal whose writer has gone: its entry into the history, the journal away. A journal
// still locked is being written; one removed between opening and locking was taken over by another.
void recover(const OperationHistory& history, const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    struct stat opened {};
    if (!fd || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.get(), &opened) != 0 ||
        !S_ISREG(opened.st_mode) || opened.st_nlink == 0)
        return;
    if (auto text = readRegularFile(file)) {
        auto [operation, partials] = readJournal(*text);
        removePartials(partials);
        if (operation && !operation->items.empty()) {
            auto stored = history.loadAscending();
            bool known = std::any_of(stored.begin(), stored.end(),
                                     [&](const FileOperation& entry) { return entry.id == operation->id; });
            // A history that cannot be written now keeps the journal for a later tidying.
            if (!known && !history.append(*operation))
                return;
        }
    }
    ::unlink(file.c_str());
}

} // namespace

PasteOutcome OperationJournal::paste(const OperationHistory& history,
                                     const std::vector<std::filesystem::path>& sources,
                                     const std::filesystem::path& destination, bool move,
                                     std::chrono::system_clock::time_point now, const std::string& id,
                                     const FileOperator::Progress& onProgress,
                                     const FileOperator::Steps& steps) {
    // A paste killed while the other program runs on is recorded here, before the next one starts.
    tidyHistoryFolder(history);
    std::optional<JournalWriter> journal;
    if (history.fileURL() && !sources.empty())
        journal.emplace(
            history.fileURL()->parent_path() / (std::string(filePrefix) + id),
            FileOperation{id, move ? FileOperation::Kind::move : FileOperation::Kind::copy, now, {}, false});
    FileOperator::Steps recorded = steps;
    if (journal) {
        recorded.partial = [&](const std::filesystem::path& partial) { journal->recordPartial(partial); };
        recorded.landing = [&](const FileOperationItem& item, const FileTree::Identity& identity) {
            journal->record(item, identity);
            if (steps.landing)
                steps.landing(item, identity);
        };
    }
    PasteOutcome outcome = FileOperator::paste(sources, destination, move, now, id, onProgress, recorded);
    const bool inHistory = !outcome.operation || history.append(*outcome.operation);
    if (journal && inHistory)
        journal->settle();
    return outcome;
}

void OperationJournal::tidyHistoryFolder(const OperationHistory& history,
                                         std::chrono::system_clock::time_point now) {
    if (!history.fileURL())
        return;
    const std::filesystem::path folder = history.fileURL()->parent_path();
    const std::set<std::string> names = FolderNames::entryNames(folder);
    for (const std::string& name : names)
        if (name.starts_with(filePrefix))
            recover(history, folder / name);
    Leftovers::removeBesideHistory(*history.fileURL(), names, now);
}

} // namespace ondravell
