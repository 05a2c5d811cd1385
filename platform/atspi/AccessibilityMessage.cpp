#include "platform/atspi/AccessibilityMessage.h"

#include <charconv>

namespace ondravell::platform {

std::string AccessibilityMessage::encode(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += '\t';
        for (char c : fields[i]) {
            switch (c) {
            case '\\':
                line += "\\\\";
                break;
            case '\t':
                line += "\\t";
                break;
            case '\n':
                line += "\\n";
                break;
            case '\r':
                line += "\\r";
                break;
            default:
                line += c;
            }
        }
    }
    return line + '\n';
}

std::vector<std::string> AccessibilityMessage::decode(std::string_view line) {
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::vector<std::string>> AccessibilityMessage::takeLines(std::string& received) {
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0, end;
    while ((end = received.find('\n', start)) != std::string::npos) {
        lines.push_back(decode(std::string_view(received).substr(start, end - start)));
        start = end + 1;
    }
    received.erase(0, start);
    return lines;
}

std::optional<std::int64_t> AccessibilityMessage::number(std::string_view text) {
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> AccessibilityMessage::windowProcess(const std::vector<std::string>& request) {
    if (request.size() < 2)
        return std::nullopt;
    std::optional<std::int64_t> pid = number(request[1]);
    if (pid && *pid <= 0)
        return std::nullopt;
    return pid;
}

} // namespace ondravell::platform
