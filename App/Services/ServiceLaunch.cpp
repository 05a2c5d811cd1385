#include "App/Services/ServiceLaunch.h"

#include <string_view>

namespace ondravell {

std::optional<platform::ServiceRequest> ServiceLaunch::parse(const std::vector<std::string>& arguments,
                                                             const char* selection) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        if (arguments[i] != option)
            continue;
        platform::ServiceRequest request{arguments[i + 1], {}};
        request.paths.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 2, arguments.end());
        std::string_view lines = selection ? selection : "";
        while (!lines.empty()) {
            std::size_t end = lines.find('\n');
            std::string_view line = lines.substr(0, end);
            if (!line.empty())
                request.paths.emplace_back(line);
            lines = end == std::string_view::npos ? std::string_view() : lines.substr(end + 1);
        }
        return request;
    }
    return std::nullopt;
}

} // namespace ondravell
