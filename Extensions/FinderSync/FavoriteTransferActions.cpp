#include "Extensions/FinderSync/FavoriteTransferActions.h"

#include "Extensions/FinderSync/FinderSyncExtension.h"
#include "Extensions/FinderSync/PasteJob.h"
#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/ODLocalized.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/SharedConfig/TransferRequest.h"
#include "core/Support/PathRules.h"

#include <algorithm>
#include <iterator>

namespace ondravell {

namespace {

constexpr std::string_view favoriteSymbol = "folder";
constexpr std::string_view otherFolderSymbol = "folder.badge.questionmark";

void installDirection(FinderSyncExtension& extension, bool move) {
    std::string_view actionID =
        move ? FavoriteTransferActions::moveActionID : FavoriteTransferActions::copyActionID;
    extension.setSubmenuBuilder(
        std::string(actionID), [&extension, move](const OndravellSettings& settings, const MenuContext&) {
            return FavoriteTransferActions::transferSubmenu(settings, move, extension.isDarkMode());
        });
    extension.setCommandHandler(
        std::string(actionID),
        [move](FinderSyncExtension& target, const MenuCommand& command, const MenuContext& context) {
            FavoriteTransferActions::transferToFavorite(target, command.argument, move, context);
        });
    extension.setCommandHandler(
        std::string(move ? FavoriteTransferActions::moveToOtherActionID
                         : FavoriteTransferActions::copyToOtherActionID),
        [move](FinderSyncExtension& target, const MenuCommand&, const MenuContext& context) {
            FavoriteTransferActions::transferToOther(target, move, context);
        });
}

} // namespace

void FavoriteTransferActions::install(FinderSyncExtension& extension) {
    installDirection(extension, false);
    installDirection(extension, true);
}

Menu FavoriteTransferActions::transferSubmenu(const OndravellSettings& settings, bool move, bool dark) {
    Menu menu;
    const auto& favorites = settings.favoriteTargets;
    std::string actionID(move ? moveActionID : copyActionID);
    std::size_t shown = std::min(favorites.size(), maxFavoriteItems);
    for (std::size_t i = 0; i < shown; ++i)
        menu.items.push_back(MenuItem{PathRules::lastPathComponent(favorites[i]),
                                      MenuImage{std::string(favoriteSymbol), dark},
                                      MenuCommand{actionID, favorites[i]}, std::nullopt});
    if (!favorites.empty())
        menu.items.push_back(MenuItem::separator());
    menu.items.push_back(MenuItem{
        ODLocalizedKey("其他文件夹…"), MenuImage{std::string(otherFolderSymbol), dark},
        MenuCommand{std::string(move ? moveToOtherActionID : copyToOtherActionID), {}}, std::nullopt});
    return menu;
}

void FavoriteTransferActions::transferToFavorite(FinderSyncExtension& extension,
                                                 const std::filesystem::path& folder, bool move,
                                                 const MenuContext& context) {
    // The item was made for a folder the user chose as a favourite; one removed from the list since
    // is no longer a place the user wants files to go. A relative entry names no fixed place: it would
    // resolve against whatever folder the file manager runs in.
    OndravellSettings settings = extension.sharedFiles()->settings();
    const auto& favorites = settings.favoriteTargets;
    if (!folder.is_absolute() ||
        std::find(favorites.begin(), favorites.end(), folder.native()) == favorites.end())
        return;
    std::vector<std::filesystem::path> sources;
    std::ranges::transform(context.items(), std::back_inserter(sources), &SelectedItem::url);
    if (sources.empty())
        return;
    const auto& services = extension.services();
    PasteJob::start(services, PasteJob{std::move(sources), folder, move, "已复制 %lld 个文件到目标", {}});
}

void FavoriteTransferActions::transferToOther(FinderSyncExtension& extension, bool move,
                                              const MenuContext& context) {
    TransferRequest request{{}, move};
    for (const SelectedItem& item : context.items())
        request.paths.push_back(item.url().native());
    if (request.paths.empty())
        return;
    const auto& services = extension.services();
    services.queue.runInBackground([&center = services.notificationCenter, request = std::move(request)] {
        // A request that cannot be written is not announced: the application would act on the older
        // request still standing in the file.
        if (std::optional<std::string> bytes = encodeRecord(request))
            OndravellIPC::writePendingAndPost(center, OndravellIPC::pendingTransferName, *bytes,
                                              OndravellIPC::transferRequest);
    });
}

} // namespace ondravell
