#include "core/FileOps/OperationJournal.h"

#include "core/FileOps/FileDescriptor.h"
#include "core/FileOps/FileTree.h"
#include "core/FileOps/FolderNames.h"
#include "core/FileOps/Leftovers.h"
#include "core/Support/AtomicFile.h"
#include "core/Support/StrictJson.h"
#include "core/Support/Uuid.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ondravell {

namespace {

// The key of a line that names a partial item before it is made.
constexpr std::string_view partialKey = "partial";
// The key of the lines that tell of a move across file systems by its source.
constexpr std::string_view sourceKey = "source";
// The key of the line that tells where an item put back takes its old name.
constexpr std::string_view landingKey = "landing";
// What the id of the entry of the items a killed move left at both places ends with.
constexpr std::string_view copiedSuffix = "-copy";

// Appends one whole line in one write; false when it could not.
bool appendLine(int fd, const nlohmann::json& json) {
    auto line = StrictJson::dump(json);
    if (!line)
        return true;
    line->push_back('\n');
    return ::write(fd, line->data(), line->size()) == static_cast<ssize_t>(line->size());
}

nlohmann::json identityJSON(const FileTree::Identity& identity) {
    return {{"device", identity.device}, {"inode", identity.inode}};
}

// The line written before `item` is renamed to `partial` to be removed there.
nlohmann::json removingLine(const std::filesystem::path& item, const std::filesystem::path& partial) {
    return {{std::string(sourceKey), item.native()}, {std::string(partialKey), partial.native()}};
}

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

    // A move across file systems about to copy `source`, as it stands before the copy.
    void recordCopying(const std::filesystem::path& source, const FileTree::Version& version) {
        nlohmann::json json = identityJSON(version.identity);
        json[std::string(sourceKey)] = source.native();
        json["size"] = version.size;
        json["modified"] = version.modified;
        write(json);
    }

    // An item put back from `source` about to take its old name `to`.
    void recordPuttingBack(const std::filesystem::path& source, const std::filesystem::path& to,
                           const FileTree::Identity& identity) {
        nlohmann::json json = identityJSON(identity);
        json[std::string(sourceKey)] = source.native();
        json[std::string(landingKey)] = to.native();
        write(json);
    }

    void recordRemoving(const std::filesystem::path& item, const std::filesystem::path& partial) {
        write(removingLine(item, partial));
    }

    // Nothing the journal tells is left to record.
    void settle() { settled_ = true; }

private:
    void write(const nlohmann::json& json) {
        if (fd_ && !appendLine(fd_.get(), json))
            fd_.reset();
    }

    std::filesystem::path file_;
    FileOperation header_;
    FileDescriptor fd_;
    bool created_;
    bool settled_ = false;
};

// The identity a line tells; nullopt when it tells none or a malformed one.
std::optional<FileTree::Identity> identityIn(const nlohmann::json& line) {
    const auto device = line.find("device");
    const auto inode = line.find("inode");
    if (device == line.end() || inode == line.end() || !device->is_number_unsigned() ||
        !inode->is_number_unsigned())
        return std::nullopt;
    return FileTree::Identity{device->get<std::uint64_t>(), inode->get<std::uint64_t>()};
}

// Whether the item a line tells of is in its destination: the very item that was to land there. A line
// without an identity was written once its item had landed.
bool landed(const nlohmann::json& line, const FileOperationItem& item) {
    if (!item.to)
        return false;
    if (!line.contains("device") && !line.contains("inode"))
        return true;
    const auto identity = identityIn(line);
    return identity && FileTree::Identity::of(*item.to) == identity;
}

// A move across file systems as the journal tells it: its source as it stood before the copy began,
// where an item put back was to take its old name and with which identity (a paste's own items tell it in
// their lines), and the hidden name the source was to go under to be removed.
struct JournalMove {
    std::filesystem::path source;
    FileTree::Version before;
    std::optional<std::pair<std::filesystem::path, FileTree::Identity>> puttingBack;
    std::optional<std::filesystem::path> partial;
};

struct JournalContents {
    // Its first item line's record, without items.
    std::optional<FileOperation> operation;
    // Every whole item line with its item.
    std::vector<std::pair<nlohmann::json, FileOperationItem>> items;
    // The hidden partial items the paste made or renamed its sources to.
    std::vector<std::filesystem::path> partials;
    // In the order they began.
    std::vector<JournalMove> moves;
};

// The move of `source` that began last; nullptr when none did.
JournalMove* lastMoveOf(JournalContents& contents, const std::filesystem::path& source) {
    for (auto move = contents.moves.rbegin(); move != contents.moves.rend(); ++move)
        if (move->source == source)
            return &*move;
    return nullptr;
}

// Reads a line about a move across file systems; false when it is none or malformed.
bool readMoveLine(const nlohmann::json& json, JournalContents& contents) {
    const auto source = json.find(std::string(sourceKey));
    if (source == json.end() || !source->is_string())
        return false;
    const std::filesystem::path path = source->get<std::string>();
    const auto partial = json.find(std::string(partialKey));
    const auto landing = json.find(std::string(landingKey));
    const auto identity = identityIn(json);
    if (partial != json.end()) {
        if (!partial->is_string())
            return false;
        contents.partials.emplace_back(partial->get<std::string>());
        if (JournalMove* move = lastMoveOf(contents, path))
            move->partial = contents.partials.back();
        return true;
    }
    if (landing != json.end()) {
        if (!landing->is_string() || !identity)
            return false;
        if (JournalMove* move = lastMoveOf(contents, path))
            move->puttingBack.emplace(landing->get<std::string>(), *identity);
        return true;
    }
    const auto size = json.find("size");
    const auto modified = json.find("modified");
    if (!identity || size == json.end() || !size->is_number_unsigned() || modified == json.end() ||
        !modified->is_number_integer())
        return false;
    contents.moves.push_back({path,
                              {*identity, size->get<std::uint64_t>(), modified->get<std::int64_t>()},
                              std::nullopt,
                              std::nullopt});
    return true;
}

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
        if (json && json->is_object() && json->contains(std::string(sourceKey))) {
            if (!readMoveLine(*json, contents))
                break;
            continue;
        }
        auto line = json ? FileOperation::fromJSON(*json) : std::nullopt;
        if (!line || line->items.size() != 1)
            break;
        if (!contents.operation)
            contents.operation = FileOperation{line->id, line->kind, line->timestamp, {}, false};
        contents.items.emplace_back(std::move(*json), std::move(line->items.front()));
    }
    return contents;
}

// Where the copy of a move took a name and with which identity; nullopt when it took none.
std::optional<std::pair<std::filesystem::path, FileTree::Identity>>
landingOf(const JournalMove& move, const JournalContents& contents) {
    if (move.puttingBack)
        return move.puttingBack;
    for (const auto& [json, item] : contents.items) {
        const auto identity = identityIn(json);
        if (item.from == move.source.native() && identity && landed(json, item))
            return std::pair{std::filesystem::path(*item.to), *identity};
    }
    return std::nullopt;
}

enum class Settled { notLanded, moved, keptBoth };

// Ends a move across file systems that was killed after its copy took its name: the source goes (under a
// hidden name first) only while it stands as it did when the copy began, and a folder only while its
// whole tree matches the copy's entry by entry (a folder's own size and time tell nothing of an edit
// further down). It never removes a source that holds an entry its copy lacks, or one that differs from
// the copy's in type, size, modification time or link target, nor one it could not read whole: any
// doubt keeps both. A source renamed away already is gone whatever has its name since.
Settled settle(const JournalMove& move, const std::filesystem::path& target, const FileTree::Identity& copy,
               const FileTree::Removing& removing) {
    if (FileTree::Identity::of(target) != copy)
        return Settled::notLanded;
    const auto now = FileTree::Version::of(move.source);
    if (!now)
        return Settled::moved;
    if (move.partial && (FileTree::Identity::of(*move.partial) || now->identity != move.before.identity))
        return Settled::moved;
    std::error_code typeError;
    const auto type = std::filesystem::symlink_status(move.source, typeError).type();
    if (*now != move.before || typeError ||
        (type == std::filesystem::file_type::directory && !FileTree::sameTree(move.source, target)))
        return Settled::keptBoth;
    std::error_code ignored;
    FileTree::removeWhole(move.source, ignored, removing);
    return FileTree::Identity::of(move.source) ? Settled::keptBoth : Settled::moved;
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

// The entries of what a journal's paste did, from what is on disk once its moves are settled: the items
// in their destinations, and apart, as a copy, those a move left at both places.
std::vector<FileOperation> settledEntries(JournalContents& contents, int journal) {
    std::set<std::pair<std::string, std::string>> keptBoth;
    const FileTree::Removing removing = [&](const std::filesystem::path& item,
                                            const std::filesystem::path& partial) {
        appendLine(journal, removingLine(item, partial));
        contents.partials.push_back(partial);
    };
    // The newest first: an item put back settles before the move that took it away.
    for (auto move = contents.moves.rbegin(); move != contents.moves.rend(); ++move) {
        const auto landing = landingOf(*move, contents);
        if (!landing || settle(*move, landing->first, landing->second, removing) != Settled::keptBoth)
            continue;
        if (move->puttingBack)
            keptBoth.emplace(landing->first.native(), move->source.native());
        else
            keptBoth.emplace(move->source.native(), landing->first.native());
    }
    removePartials(contents.partials);
    if (!contents.operation)
        return {};
    FileOperation moved = *contents.operation;
    FileOperation copied{
        moved.id + std::string(copiedSuffix), FileOperation::Kind::copy, moved.timestamp, {}, false};
    for (const auto& [json, item] : contents.items) {
        if (!landed(json, item))
            continue;
        const bool both = item.from && keptBoth.contains({*item.from, *item.to});
        (both ? copied : moved).items.push_back(item);
    }
    return {moved, copied};
}

// Takes over a journal whose writer has gone: its entries into the history, the journal away. A journal
// still locked is being written; one removed between opening and locking was taken over by another.
void recover(const OperationHistory& history, const std::filesystem::path& file) {
    FileDescriptor fd(
        ::open(file.c_str(), O_RDWR | O_APPEND | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    struct stat opened {};
    if (!fd || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 || ::fstat(fd.get(), &opened) != 0 ||
        !S_ISREG(opened.st_mode) || opened.st_nlink == 0)
        return;
    if (auto text = readRegularFile(file)) {
        JournalContents contents = readJournal(*text);
        for (const FileOperation& entry : settledEntries(contents, fd.get())) {
            if (entry.items.empty())
                continue;
            auto stored = history.loadAscending();
            bool known = std::any_of(stored.begin(), stored.end(),
                                     [&](const FileOperation& stored) { return stored.id == entry.id; });
            // A history that cannot be written now keeps the journal for a later tidying.
            if (!known && !history.append(entry))
                return;
        }
    }
    ::unlink(file.c_str());
}

// Steps that record in `journal` what a paste or an undo is about to do, then tell `steps`.
FileOperator::Steps recordedSteps(JournalWriter& journal, const FileOperator::Steps& steps) {
    FileOperator::Steps recorded = steps;
    recorded.partial = [&journal, told = steps.partial](const std::filesystem::path& partial) {
        journal.recordPartial(partial);
        if (told)
            told(partial);
    };
    recorded.landing = [&journal, told = steps.landing](const FileOperationItem& item,
                                                        const FileTree::Identity& identity) {
        journal.record(item, identity);
        if (told)
            told(item, identity);
    };
    recorded.copying = [&journal, told = steps.copying](const std::filesystem::path& from,
                                                        const FileTree::Version& source) {
        journal.recordCopying(from, source);
        if (told)
            told(from, source);
    };
    recorded.removing = [&journal, told = steps.removing](const std::filesystem::path& item,
                                                          const std::filesystem::path& partial) {
        journal.recordRemoving(item, partial);
        if (told)
            told(item, partial);
    };
    recorded.puttingBack = [&journal, told = steps.puttingBack](const std::filesystem::path& from,
                                                                const std::filesystem::path& to,
                                                                const FileTree::Identity& identity) {
        journal.recordPuttingBack(from, to, identity);
        if (told)
            told(from, to, identity);
    };
    return recorded;
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
    PasteOutcome outcome = FileOperator::paste(sources, destination, move, now, id, onProgress,
                                               journal ? recordedSteps(*journal, steps) : steps);
    const bool inHistory = !outcome.operation || history.append(*outcome.operation);
    if (journal && inHistory)
        journal->settle();
    return outcome;
}

UndoResult OperationJournal::undo(const OperationHistory& history, const FileOperation& operation,
                                  platform::Trash& trash, const FileOperator::Steps& steps) {
    tidyHistoryFolder(history);
    // Only moves are put back; the journal of one has no items, only what its moves across file systems do.
    std::optional<JournalWriter> journal;
    if (history.fileURL() && operation.kind == FileOperation::Kind::move)
        journal.emplace(history.fileURL()->parent_path() / (std::string(filePrefix) + makeUUIDString()),
                        FileOperation{operation.id, operation.kind, operation.timestamp, {}, false});
    UndoResult result =
        FileOperator::undo(operation, trash, journal ? recordedSteps(*journal, steps) : steps);
    // An undo adds no entry: once it returned, what its journal tells is done.
    if (journal)
        journal->settle();
    return result;
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
