// The entry points of the update module (see UpdateModule.h).
#include "App/Services/UpdateModule.h"

#include "App/Services/UpdateFetcher.h"

#include <utility>

using namespace ondravell;

extern "C" {

__attribute__((visibility("default"))) void* ondravell_update_fetcher_create() {
    return new UpdateFetcher(UpdateFetcher::defaultOptions());
}

__attribute__((visibility("default"))) void ondravell_update_fetcher_fetch(void* fetcher,
                                                                           UpdateModule::Done* done) {
    static_cast<UpdateFetcher*>(fetcher)->fetch(std::move(*done));
}

__attribute__((visibility("default"))) void ondravell_update_fetcher_destroy(void* fetcher) {
    delete static_cast<UpdateFetcher*>(fetcher);
}
}
