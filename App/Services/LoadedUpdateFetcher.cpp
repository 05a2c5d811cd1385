#include "App/Services/LoadedUpdateFetcher.h"

#include <QFileInfo>
#include <QLibrary>
#include <utility>

namespace ondravell {

LoadedUpdateFetcher::LoadedUpdateFetcher(QString modulePath) : modulePath_(std::move(modulePath)) {}

LoadedUpdateFetcher::~LoadedUpdateFetcher() {
    // The module stays loaded: Qt's network library keeps threads and handlers of its own.
    if (fetcher_ && destroy_)
        destroy_(fetcher_);
}

QString LoadedUpdateFetcher::defaultModulePath() {
    const QString installed = QStringLiteral(ONDRAVELL_INSTALLED_UPDATE_MODULE);
    return QFileInfo::exists(installed) ? installed : QStringLiteral(ONDRAVELL_BUILD_UPDATE_MODULE);
}

bool LoadedUpdateFetcher::load() {
    if (std::exchange(tried_, true))
        return fetcher_ != nullptr;
    QLibrary library(modulePath_);
    if (!library.load())
        return false;
    auto create = reinterpret_cast<UpdateModule::Create>(library.resolve(UpdateModule::createName));
    fetch_ = reinterpret_cast<UpdateModule::Fetch>(library.resolve(UpdateModule::fetchName));
    destroy_ = reinterpret_cast<UpdateModule::Destroy>(library.resolve(UpdateModule::destroyName));
    if (create && fetch_ && destroy_)
        fetcher_ = create();
    return fetcher_ != nullptr;
}

void LoadedUpdateFetcher::fetch(UpdateModule::Done done) {
    if (!load()) {
        done(std::nullopt);
        return;
    }
    fetch_(fetcher_, &done);
}

} // namespace ondravell
