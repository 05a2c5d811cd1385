#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace ondravell::bench {

// A private shared folder for one benchmark run: created in the temporary folder, made the container
// through ONDRAVELL_CONTAINER, and removed with everything in it at the end.
struct BenchContainer {
    std::filesystem::path root;
    BenchContainer() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ondravell-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        ::setenv("ONDRAVELL_CONTAINER", root.c_str(), 1);
    }
    ~BenchContainer() {
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
    BenchContainer(const BenchContainer&) = delete;
    BenchContainer& operator=(const BenchContainer&) = delete;
};

} // namespace ondravell::bench
