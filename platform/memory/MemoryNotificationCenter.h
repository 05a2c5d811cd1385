#pragma once

#include "platform/DistributedNotificationCenter.h"

#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace ondravell::platform {

// Notification centre for tests: records every posted name and calls this process's observers at once,
// on the posting thread.
class MemoryNotificationCenter final : public DistributedNotificationCenter {
public:
    void post(const std::string& name) override;
    Token addObserver(const std::string& name, Observer observer) override;
    void removeObserver(Token token) override;

    std::vector<std::string> postedNames() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> posted_;
    std::map<Token, std::pair<std::string, Observer>> observers_;
    Token nextToken_ = 1;
};

} // namespace ondravell::platform
