#include "App/MainWindow/Models/FavoriteTargetsModel.h"

#include "platform/FileDialog.h"

#include <algorithm>

namespace ondravell {

FavoriteTargetsModel::FavoriteTargetsModel(platform::FileDialog& dialog, SettingsService service)
    : SettingsPageModel(std::move(service)), dialog_(dialog) {}

void FavoriteTargetsModel::add() {
    platform::FileDialogRequest request;
    request.kind = platform::FileDialogRequest::Kind::openFolder;
    request.acceptLabel = "选择";
    std::optional<std::filesystem::path> chosen = dialog_.run(request);
    if (!chosen)
        return;
    std::string path = chosen->string();
    if (std::ranges::find(favorites_, path) != favorites_.end())
        return;
    favorites_.push_back(std::move(path));
    persist();
}

void FavoriteTargetsModel::remove(const std::string& path) {
    std::erase(favorites_, path);
    persist();
}

void FavoriteTargetsModel::read(const OndravellSettings& settings) {
    favorites_ = settings.favoriteTargets;
}

void FavoriteTargetsModel::write(OndravellSettings& settings) const {
    settings.favoriteTargets = favorites_;
}

} // namespace ondravell
