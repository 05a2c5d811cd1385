#include "App/Services/ServicesScripts.h"

#include "core/Support/AtomicFile.h"

#include <cstdlib>
#include <sys/stat.h>

namespace ondravell {

namespace {

constexpr std::size_t maxScriptBytes = 64 * 1024;

// Single-quoted for the shell, so no character of the path is interpreted.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

} // namespace

const std::vector<ServicesScripts::Script>& ServicesScripts::scripts() {
    static const std::vector<Script> all = {
        {"复制路径（小欧）", "odCopyPath"},       {"复制文件（小欧）", "odCopyFiles"},
        {"移动到…（小欧）", "odMoveTo"},          {"新建文件（小欧）", "odNewFile"},
        {"在终端打开（小欧）", "odOpenTerminal"}, {"计算哈希（小欧）", "odHash"},
    };
    return all;
}

std::filesystem::path ServicesScripts::folder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return std::filesystem::path(dataHome) / "nautilus" / "scripts";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::filesystem::path(home) / ".local" / "share" / "nautilus" / "scripts";
    return {};
}

std::string ServicesScripts::text(const Script& script, const std::filesystem::path& program) {
    // Nautilus runs a script in the folder it shows and passes each selected name as one argument,
    // relative to that folder. The arguments are handed on as they are: a name may hold any byte but
    // NUL, a line feed included, so the line-per-path variable Nautilus also sets is not used.
    return "#!/bin/sh\n" + std::string(marker) +
           " (rewritten by the application; remove this line to keep your own version)\n" + "exec " +
           shellQuoted(program.string()) + " --service " + std::string(script.entry) + " \"$@\"\n";
}

int ServicesScripts::install(const std::filesystem::path& folder, const std::filesystem::path& program) {
    std::error_code error;
    if (folder.empty())
        return 0;
    std::filesystem::create_directories(folder, error);
    if (error)
        return 0;
    int written = 0;
    for (const Script& script : scripts()) {
        std::filesystem::path path = folder / std::string(script.title);
        std::string wanted = text(script, program);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) {
            std::optional<std::string> current =
                S_ISREG(info.st_mode) ? readRegularFile(path, maxScriptBytes) : std::nullopt;
            if (!current || current->find(marker) == std::string::npos)
                continue;
            if (*current == wanted && (info.st_mode & S_IXUSR))
                continue;
        }
        if (writeFileAtomically(path, wanted) && ::chmod(path.c_str(), 0755) == 0)
            ++written;
    }
    return written;
}

} // namespace ondravell
