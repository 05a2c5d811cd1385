#include "Extensions/FinderSync/PasteboardFileActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/PasteJob.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/ToastPayload.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <random>

namespace ondravell {

namespace {

// A token no earlier copy or cut is likely to have used; never negative, which "clipboard.json" uses
// for "none".
std::int64_t makeToken() {
    std::random_device device;
    std::uniform_int_distribution<std::int64_t> distribution(1, std::numeric_limits<std::int64_t>::max());
    return distribution(device);
}

void onCommand(FinderSyncExtension& extension, std::string_view actionID,
               void (*action)(FinderSyncExtension&, const MenuContext&)) {
    extension.setCommandHandler(std::string(actionID),
                                [action](FinderSyncExtension& target, const MenuCommand&,
                                         const MenuContext& context) { action(target, context); });
}

} // namespace

void PasteboardFileActions::install(FinderSyncExtension& extension) {
    onCommand(extension, copyActionID, [](FinderSyncExtension& target, const MenuContext& context) {
        writeFilesToPasteboard(target, false, context);
    });
    onCommand(extension, cutActionID, [](FinderSyncExtension& target, const MenuContext& context) {
        writeFilesToPasteboard(target, true, context);
    });
    onCommand(extension, pasteActionID, &pasteHere);
}

void PasteboardFileActions::writeFilesToPasteboard(FinderSyncExtension& extension, bool cut,
                                                   const MenuContext& context) {
    std::vector<std::filesystem::path> urls;
    std::ranges::transform(context.items(), std::back_inserter(urls), &SelectedItem::url);
    if (urls.empty())
        return;
    ClipboardState state{cut, makeToken()};
    const auto& services = extension.services();
    services.pasteboard.writeFiles(urls, cut, platform::PasteboardToken{state.changeCount});
    // In sequence with the state reads of later pastes, so a paste never reads an older state.
    services.queue.runInSequence([state] { state.write(); });
    extension.postToast(ODLocalized(cut ? "已剪切 %lld 个文件" : "已复制 %lld 个文件", urls.size()),
                        std::string(ToastPayload::successSymbol));
}

void PasteboardFileActions::pasteHere(FinderSyncExtension& extension, const MenuContext& context) {
    std::optional<std::filesystem::path> destination = pasteDestination(context);
    if (!destination)
        return;
    FinderSyncExtension::Services services = extension.services();
    services.pasteboard.readFiles(
        [services, destination = std::move(*destination)](std::optional<platform::PasteboardFiles> files) {
            if (!files)
                return;
            std::vector<std::filesystem::path> sources = localFiles(files->paths);
            if (sources.empty())
                return;
            services.queue.runInSequence(
                [services, sources = std::move(sources), destination, token = files->token]() mutable {
                    bool move = movesOnPaste(token, ClipboardState::read());
                    auto forgetCut = [move](const PasteOutcome& outcome) {
                        // Moved files are gone from where the clipboard says they are: pasting again copies.
                        // A move that stopped short leaves the rest cut, for the next paste to move.
                        if (move && !outcome.rolledBack && !outcome.stopped)
                            ClipboardState::remove();
                    };
                    PasteJob::start(services, PasteJob{std::move(sources), destination, move,
                                                       "已粘贴 %lld 个文件", forgetCut});
                });
        });
}

std::optional<std::filesystem::path> PasteboardFileActions::pasteDestination(const MenuContext& context) {
    if (context.container())
        return context.container();
    for (const SelectedItem& item : context.items())
        if (item.isDirectory())
            return item.url();
    return std::nullopt;
}

std::vector<std::filesystem::path>
PasteboardFileActions::localFiles(const std::vector<std::filesystem::path>& paths) {
    std::vector<std::filesystem::path> local;
    for (const std::filesystem::path& path : paths)
        if (path.is_absolute())
            local.push_back(path);
    return local;
}

bool PasteboardFileActions::movesOnPaste(const std::optional<platform::PasteboardToken>& token,
                                         const ClipboardState& state) {
    return state.cut && token && token->value == state.changeCount;
}

} // namespace ondravell
