#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ondravell::test {

// What a shell command wrote to its standard output, trailing white space removed.
inline std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    return output;
}

// The command that starts the real Nautilus on `folder` with the built module as the only one in its
// extension folder: the module is copied into `scratch` and bind-mounted over the folder in a private
// mount namespace, so the system's folder is never changed. nullopt where such a namespace is refused
// or Nautilus's extension folder is unknown.
inline std::optional<std::vector<std::string>> nautilusWithModule(const std::filesystem::path& module,
                                                                  const std::filesystem::path& scratch,
                                                                  const std::filesystem::path& folder) {
    if (std::system("unshare --mount --propagation private true >/dev/null 2>&1") != 0)
        return std::nullopt;
    const std::string extensionDir =
        commandOutput("pkg-config --variable=extensiondir libnautilus-extension-4");
    if (extensionDir.empty())
        return std::nullopt;
    const std::filesystem::path modules = scratch / "nautilus-extensions";
    std::filesystem::create_directories(modules);
    std::filesystem::copy_file(module, modules / module.filename(),
                               std::filesystem::copy_options::overwrite_existing);
    return std::vector<std::string>{"unshare",
                                    "--mount",
                                    "--propagation",
                                    "private",
                                    "sh",
                                    "-c",
                                    "mount --bind \"$1\" \"$2\" && exec nautilus --new-window \"$3\"",
                                    "sh",
                                    modules.string(),
                                    extensionDir,
                                    folder.string()};
}

} // namespace ondravell::test
