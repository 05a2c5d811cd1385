#include "App/Services/ServiceLaunch.h"

namespace ondravell {

std::optional<platform::ServiceRequest> ServiceLaunch::parse(const std::vector<std::string>& arguments,
                                                             const std::filesystem::path& workingFolder) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != option)
            continue;
        platform::ServiceRequest request{arguments[i + 1], {}};
        for (std::size_t n = i + 2; n < arguments.size(); ++n) {
            const std::string& name = arguments[n];
            if (name.empty())
                continue;
            if (name.front() == '/' || workingFolder.empty())
                request.paths.push_back(name);
            else
                request.paths.push_back((workingFolder / name).string());
        }
        return request;
    }
    return std::nullopt;
}

} // namespace ondravell
