#include "platform/glib/DeferredGlobalHotKeys.h"

namespace ondravell::platform {

void DeferredGlobalHotKeys::choose(std::unique_ptr<GlobalHotKeys> chosen) {
    if (!chosen)
        return;
    // The new one has every registration before the one before lets its keys go.
    std::unique_ptr<GlobalHotKeys> previous = std::move(chosen_);
    chosen_ = std::move(chosen);
    if (handler_)
        chosen_->setHandler(handler_);
    for (auto& [reference, registration] : registrations_)
        registration.chosen =
            chosen_->registerHotKey(registration.keyCode, registration.carbonModifiers, registration.id);
}

void DeferredGlobalHotKeys::setHandler(Handler handler) {
    handler_ = std::move(handler);
    if (chosen_)
        chosen_->setHandler(handler_);
}

std::optional<GlobalHotKeys::Reference> DeferredGlobalHotKeys::registerHotKey(std::uint32_t keyCode,
                                                                              std::uint32_t carbonModifiers,
                                                                              std::uint32_t id) {
    Registration registration{keyCode, carbonModifiers, id, std::nullopt};
    if (chosen_) {
        registration.chosen = chosen_->registerHotKey(keyCode, carbonModifiers, id);
        if (!registration.chosen)
            return std::nullopt;
    }
    const Reference reference = nextReference_++;
    registrations_.emplace(reference, registration);
    return reference;
}

void DeferredGlobalHotKeys::unregisterHotKey(Reference reference) {
    auto found = registrations_.find(reference);
    if (found == registrations_.end())
        return;
    if (chosen_ && found->second.chosen)
        chosen_->unregisterHotKey(*found->second.chosen);
    registrations_.erase(found);
}

std::chrono::milliseconds DeferredGlobalHotKeys::keysHeldAfterPress() const {
    return chosen_ ? chosen_->keysHeldAfterPress() : std::chrono::milliseconds(0);
}

} // namespace ondravell::platform
