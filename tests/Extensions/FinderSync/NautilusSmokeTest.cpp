// Starts the real Nautilus with the built module in its extension folder and checks that Nautilus
// loaded it. The module is made visible through a bind mount in a private mount namespace, so the
// system's extension folder is never changed; where that is refused, the module is copied in for the
// test's duration and removed afterwards.
#include "tests/Extensions/FinderSync/NautilusWithModule.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace ondravell::test {
namespace {

constexpr const char* moduleFileName = "libondravell-nautilus.so";

pid_t spawn(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return 0;
    return pid;
}

bool mapsContain(pid_t pid, const std::string& needle) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::stringstream content;
    content << maps.rdbuf();
    return content.str().find(needle) != std::string::npos;
}

void stop(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

TEST(NautilusSmoke, RealNautilusLoadsTheModule) {
    if (commandOutput("command -v nautilus").empty())
        GTEST_SKIP() << "nautilus is not installed";
    if (!std::getenv("DISPLAY") || !std::getenv("DBUS_SESSION_BUS_ADDRESS"))
        GTEST_SKIP() << "needs a display and a session bus";
    std::string extensionDir = commandOutput("pkg-config --variable=extensiondir libnautilus-extension-4");
    ASSERT_FALSE(extensionDir.empty());

    TempContainer scratch;
    std::filesystem::path folder = scratch.root / "shown";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "a.txt") << "x";
    // Nautilus's own state goes to the scratch folder, not the tester's home.
    setenv("HOME", scratch.root.c_str(), 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);

    std::filesystem::path installed = std::filesystem::path(extensionDir) / moduleFileName;
    bool copied = false;
    pid_t nautilus = 0;
    if (auto command = nautilusWithModule(ONDRAVELL_NAUTILUS_MODULE, scratch.root, folder)) {
        nautilus = spawn(*command);
    } else {
        if (std::filesystem::exists(installed))
            GTEST_SKIP() << "an installed module is in the way and no private mount namespace is allowed";
        std::filesystem::copy_file(ONDRAVELL_NAUTILUS_MODULE, installed);
        copied = true;
        nautilus = spawn({"nautilus", "--new-window", folder.string()});
    }
    ASSERT_GT(nautilus, 0);

    bool loaded = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!loaded && std::chrono::steady_clock::now() < deadline &&
           waitpid(nautilus, nullptr, WNOHANG) == 0) {
        loaded = mapsContain(nautilus, moduleFileName);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    bool stillRunning = waitpid(nautilus, nullptr, WNOHANG) == 0;
    stop(nautilus);
    if (copied)
        std::filesystem::remove(installed);

    EXPECT_TRUE(loaded) << "Nautilus did not map " << moduleFileName;
    EXPECT_TRUE(stillRunning) << "Nautilus ended while loading the module";
}

} // namespace
} // namespace ondravell::test
