#include "tests/wayland/SessionClients.h"

#include <gio/gio.h>
// After GLib: Xlib's macros clash with its names.
#include <X11/Xlib.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ondravell::test {

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    return condition();
}

SessionClient::SessionClient(const std::string& program, const std::vector<std::string>& arguments,
                             const std::vector<std::string>& environment) {
    pid_ = ::fork();
    if (pid_ == 0) {
        for (const auto& entry : environment)
            ::putenv(const_cast<char*>(entry.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
}

SessionClient::~SessionClient() {
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
}

void SessionClient::end(int signal) {
    if (pid_ <= 0)
        return;
    ::kill(pid_, signal);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

bool SessionClient::running() const {
    if (pid_ <= 0)
        return false;
    if (::waitpid(pid_, nullptr, WNOHANG) == 0)
        return true;
    // Reaped: its number may soon be another process's, which no later signal may reach.
    pid_ = -1;
    return false;
}

namespace {

std::optional<std::string> x11SelectionText(const char* selectionName) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return std::nullopt;
    std::optional<std::string> text;
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom property = XInternAtom(display, "ONDRAVELL_TEST_PRIMARY", False);
    Atom selection = XInternAtom(display, selectionName, False);
    ::Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    if (XGetSelectionOwner(display, selection) != None) {
        XConvertSelection(display, selection, utf8, property, window, CurrentTime);
        XFlush(display);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (std::chrono::steady_clock::now() < deadline) {
            XEvent event;
            if (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
                if (event.xselection.property != None) {
                    Atom type = None;
                    int format = 0;
                    unsigned long count = 0, after = 0;
                    unsigned char* data = nullptr;
                    if (XGetWindowProperty(display, window, property, 0, 1 << 20, True, AnyPropertyType,
                                           &type, &format, &count, &after, &data) == Success &&
                        data) {
                        text = std::string(reinterpret_cast<char*>(data), count);
                        XFree(data);
                    }
                }
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    XDestroyWindow(display, window);
    XCloseDisplay(display);
    return text;
}

} // namespace

std::optional<std::string> x11PrimaryText() {
    return x11SelectionText("PRIMARY");
}

std::optional<std::string> x11ClipboardText() {
    return x11SelectionText("CLIPBOARD");
}

bool x11PointerIsAt(int x, int y) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    ::Window root = 0, child = 0;
    int rootX = -1, rootY = -1, windowX = 0, windowY = 0;
    unsigned int mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX, &windowY,
                  &mask);
    XCloseDisplay(display);
    return rootX == x && rootY == y;
}

namespace {

struct Child {
    pid_t pid;
    char state;
    std::string program;
};

// The processes whose parent is `parent`, from /proc.
std::vector<Child> childrenOf(pid_t parent) {
    std::vector<Child> children;
    std::error_code error;
    for (std::filesystem::directory_iterator entry("/proc", error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream file(entry->path() / "stat");
        const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        // "pid (name) state ppid ...": the name may hold blanks and parentheses.
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos || close + 4 > stat.size())
            continue;
        if (std::atoi(stat.c_str() + close + 4) != parent)
            continue;
        std::error_code unreadable;
        const std::filesystem::path program =
            std::filesystem::read_symlink(entry->path() / "exe", unreadable);
        children.push_back({std::atoi(name.c_str()), stat[close + 2], program.filename().string()});
    }
    return children;
}

} // namespace

std::optional<pid_t> accessibilityHelperOf(pid_t program) {
    for (const Child& child : childrenOf(program))
        if (child.state != 'Z' && child.program == "ondravell-accessibility")
            return child.pid;
    return std::nullopt;
}

bool hasZombieChildren(pid_t program) {
    for (const Child& child : childrenOf(program))
        if (child.state == 'Z')
            return true;
    return false;
}

void setShellExtensionEnabled(bool enabled) {
    GSettings* shell = g_settings_new("org.gnome.shell");
    const gchar* on[] = {"ondravell@ondravell.dev", nullptr};
    const gchar* off[] = {nullptr};
    g_settings_set_strv(shell, "enabled-extensions", enabled ? on : off);
    g_settings_sync();
    g_object_unref(shell);
}

} // namespace ondravell::test
