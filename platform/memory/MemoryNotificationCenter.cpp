#include "platform/memory/MemoryNotificationCenter.h"

namespace ondravell::platform {

void MemoryNotificationCenter::post(const std::string& name) {
    std::vector<Observer> toCall;
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(name);
        for (const auto& [token, entry] : observers_)
            if (entry.first == name)
                toCall.push_back(entry.second);
    }
    for (const auto& observer : toCall)
        observer();
}

DistributedNotificationCenter::Token MemoryNotificationCenter::addObserver(const std::string& name,
                                                                           Observer observer) {
    std::lock_guard lock(mutex_);
    Token token = nextToken_++;
    observers_.emplace(token, std::make_pair(name, std::move(observer)));
    return token;
}

void MemoryNotificationCenter::removeObserver(Token token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

std::vector<std::string> MemoryNotificationCenter::postedNames() const {
    std::lock_guard lock(mutex_);
    return posted_;
}

void MemoryNotificationCenter::clear() {
    std::lock_guard lock(mutex_);
    posted_.clear();
}

} // namespace ondravell::platform
