#pragma once

#include "core/SharedConfig/SettingsStore.h"

#include <mutex>

namespace ondravell {

// Settings kept in memory, for a process without a container and for tests. Safe to share between
// threads.
class InMemorySettingsStore final : public SettingsStore {
public:
    explicit InMemorySettingsStore(std::optional<std::string> data = std::nullopt) : data_(std::move(data)) {}

    std::optional<std::string> loadData() override;
    bool save(std::string_view data) override;

private:
    std::mutex lock_;
    std::optional<std::string> data_;
};

} // namespace ondravell
