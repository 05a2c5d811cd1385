#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ondravell {

// Where the settings' bytes are kept. A store that cannot read gives nothing, and a store that cannot
// write keeps what it had and answers false; most callers drop that answer.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::optional<std::string> loadData() = 0;
    virtual bool save(std::string_view data) = 0;
};

} // namespace ondravell
