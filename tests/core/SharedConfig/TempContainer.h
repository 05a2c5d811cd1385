#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace ondravell::test {

// A fresh app-group container for one test: ONDRAVELL_CONTAINER points at a new temporary folder for the
// test's lifetime. `unavailable()` points it where no folder can be made instead.
struct TempContainer {
    std::filesystem::path root;
    std::filesystem::path path;

    TempContainer() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ondravell-container-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        path = root / "container";
        ::setenv("ONDRAVELL_CONTAINER", path.c_str(), 1);
    }
    ~TempContainer() {
        ::unsetenv("ONDRAVELL_CONTAINER");
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
    TempContainer(const TempContainer&) = delete;
    TempContainer& operator=(const TempContainer&) = delete;

    // A regular file where the container's parent folder should be: nothing can be created below it.
    void makeUnavailable() {
        auto blocker = root / "blocker";
        std::FILE* file = std::fopen(blocker.c_str(), "w");
        if (file)
            std::fclose(file);
        path = blocker / "container";
        ::setenv("ONDRAVELL_CONTAINER", path.c_str(), 1);
    }
};

} // namespace ondravell::test
