#pragma once

#include "App/Services/UpdateModule.h"

#include <QString>

namespace ondravell {

// Fetches the update document through the update module, which it loads at the first fetch. A module
// that cannot be loaded makes every fetch fail (nullopt), as an unreachable server does. Main thread.
class LoadedUpdateFetcher {
public:
    explicit LoadedUpdateFetcher(QString modulePath);
    ~LoadedUpdateFetcher();
    LoadedUpdateFetcher(const LoadedUpdateFetcher&) = delete;
    LoadedUpdateFetcher& operator=(const LoadedUpdateFetcher&) = delete;

    // The installed module, or the build's own when the program runs from the build folder.
    static QString defaultModulePath();

    void fetch(UpdateModule::Done done);

private:
    bool load();

    QString modulePath_;
    bool tried_ = false;
    void* fetcher_ = nullptr;
    UpdateModule::Fetch fetch_ = nullptr;
    UpdateModule::Destroy destroy_ = nullptr;
};

} // namespace ondravell
