#include "Extensions/FinderSync/HashActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/ToastQueue.h"
#include "core/FileOps/FileHasher.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/Support/PathRules.h"
#include "core/Support/UnicodeText.h"
#include "core/Support/Uuid.h"

#include <cstdint>
#include <unicode/utf8.h>

namespace ondravell {

namespace {

constexpr std::string_view matchSymbol = "checkmark.seal.fill";
constexpr std::string_view mismatchSymbol = "xmark.seal.fill";

// Reads and hashes every file, telling the application before each file when there are several.
HashActions::Run hashFiles(const std::vector<std::filesystem::path>& files, HashAlgorithm algorithm,
                           platform::DistributedNotificationCenter& center) {
    const std::string progressID = makeUUIDString();
    const std::string title = ODLocalized("正在计算哈希…");
    const bool progress = files.size() >= HashActions::minimumFilesForProgress;
    const auto total = static_cast<std::int64_t>(files.size());
    HashActions::Run run{files.size(), {}, {}};
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (progress)
            OndravellIPC::postProgress(center, progressID, title, static_cast<std::int64_t>(i), total, false);
        std::error_code error;
        std::optional<std::string> hash = FileHasher::hash(files[i], algorithm, error);
        if (!hash)
            continue;
        if (!run.text.empty())
            run.text += '\n';
        run.text += HashActions::line(files[i], *hash, files.size());
        run.hashes.push_back(std::move(*hash));
    }
    if (progress)
        OndravellIPC::postProgress(center, progressID, title, total, total, true);
    return run;
}

} // namespace

void HashActions::install(FinderSyncExtension& extension) {
    extension.setSubmenuBuilder(std::string(actionID), [](const OndravellSettings&, const MenuContext&) {
        return FinderSyncExtension::hashSubmenu();
    });
    extension.setCommandHandler(
        std::string(actionID),
        [](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            if (std::optional<HashAlgorithm> algorithm = HashAlgorithm::fromRawValue(command.argument))
                hashSelected(target, *algorithm, context);
        });
}

void HashActions::hashSelected(FinderSyncExtension& extension, HashAlgorithm algorithm,
                               const MenuContext& context) {
    std::vector<std::filesystem::path> files;
    for (const SelectedItem& item : context.items())
        if (!item.isDirectory())
            files.push_back(item.url());
    if (files.empty())
        return;
    // The clipboard is read once, before hashing: what the user copies meanwhile is not compared.
    FinderSyncExtension::Services services = extension.services();
    services.pasteboard.readString(
        [services, files = std::move(files), algorithm](std::optional<std::string> text) mutable {
            std::optional<std::string> expected;
            if (text)
                expected = comparableDigest(*text, algorithm);
            services.queue.runInBackground([services, files = std::move(files), algorithm, expected] {
                Result result =
                    resultFor(hashFiles(files, algorithm, services.notificationCenter), algorithm, expected);
                services.queue.runOnMain([services, result = std::move(result)] {
                    if (!result.text.empty())
                        services.pasteboard.writeString(result.text);
                    services.toasts->post(result.message, std::string(result.symbol));
                });
            });
        });
}

std::optional<std::string> HashActions::comparableDigest(std::string_view text, HashAlgorithm algorithm) {
    std::string digits;
    std::int32_t offset = 0;
    const auto length = static_cast<std::int32_t>(text.size());
    while (offset < length) {
        UChar32 c = 0;
        U8_NEXT(text.data(), offset, length, c);
        if (c >= 0 && UnicodeText::isWhitespaceOrNewline(static_cast<char32_t>(c)))
            continue;
        if (c >= '0' && c <= '9')
            digits += static_cast<char>(c);
        else if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))
            digits += static_cast<char>(c | 0x20);
        else
            return std::nullopt;
    }
    if (digits.size() != algorithm.digestSize() * 2)
        return std::nullopt;
    return digits;
}

std::string HashActions::line(const std::filesystem::path& file, const std::string& hash,
                              std::size_t fileCount) {
    // With several files chosen, each digest keeps its file's name, also when some could not be read:
    // a lone digest would not say which of them it belongs to.
    if (fileCount <= 1)
        return hash;
    return PathRules::lastPathComponent(file.native()) + ": " + hash;
}

HashActions::Result HashActions::resultFor(const Run& run, HashAlgorithm algorithm,
                                           const std::optional<std::string>& expectedDigest) {
    const std::size_t hashed = run.hashes.size();
    const std::string_view name = algorithm.displayName();
    std::string text = run.text;
    if (hashed < run.fileCount)
        return {std::move(text), ODLocalized("完成 %lld 个，%lld 个失败", hashed, run.fileCount - hashed),
                ToastPayload::warningSymbol};
    if (hashed == 1 && expectedDigest) {
        if (*expectedDigest == run.hashes.front())
            return {std::move(text), ODLocalized("哈希一致 ✓ (%@)", name), matchSymbol};
        return {std::move(text), ODLocalized("哈希不一致 ✗ (%@)", name), mismatchSymbol};
    }
    if (hashed >= 2)
        return {std::move(text), ODLocalized("已复制 %lld 个哈希 (%@)", hashed, name),
                ToastPayload::successSymbol};
    return {std::move(text), ODLocalized("已复制哈希 (%@)", name), ToastPayload::successSymbol};
}

} // namespace ondravell
