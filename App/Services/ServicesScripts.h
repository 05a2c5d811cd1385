#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ondravell {

// The file manager's entries for the six file actions: one small script per entry in Nautilus's
// scripts folder, which hands the selected paths to the application (started when it is not running).
struct ServicesScripts {
    struct Script {
        std::string_view title; // the file name, as the Scripts submenu shows it
        std::string_view entry; // the entry the script asks for
    };
    // Every script we write carries this line, so ours can be told from a user's script of the same
    // name.
    static constexpr std::string_view marker = "# Ondravell file-manager script";
    static const std::vector<Script>& scripts();

    // `$XDG_DATA_HOME/nautilus/scripts`, by default `~/.local/share/nautilus/scripts`; empty when neither
    // variable gives an absolute folder.
    static std::filesystem::path folder();
    static std::string text(const Script& script, const std::filesystem::path& program);

    // Writes the scripts that are missing or ours but out of date; a file of the same name without our
    // marker is the user's and stays as it is. Returns how many scripts were written.
    static int install(const std::filesystem::path& folder, const std::filesystem::path& program);
};

} // namespace ondravell
