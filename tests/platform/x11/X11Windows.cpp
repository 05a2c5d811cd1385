#include "tests/platform/x11/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace ondravell::test {

namespace {

std::string utf8Name(Display* display, ::Window window) {
    Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (auto [property, type] :
         {std::pair<Atom, Atom>{netName, utf8}, std::pair<Atom, Atom>{XA_WM_NAME, AnyPropertyType}}) {
        Atom actualType = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType, &format, &count,
                               &after, &data) == Success &&
            data) {
            std::string name(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!name.empty())
                return name;
        }
    }
    return {};
}

long netWmPid(Display* display, ::Window window) {
    Atom property = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 32 && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return pid;
}

void collect(Display* display, ::Window window, std::vector<X11Windows::Window>& out) {
    ::Window root = 0, parent = 0;
    ::Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes))
            continue;
        X11Windows::Window entry;
        entry.id = children[i];
        entry.name = utf8Name(display, children[i]);
        entry.pid = netWmPid(display, children[i]);
        entry.viewable = attributes.map_state == IsViewable;
        entry.x = attributes.x;
        entry.y = attributes.y;
        entry.width = attributes.width;
        entry.height = attributes.height;
        out.push_back(entry);
        collect(display, children[i], out);
    }
    if (children)
        XFree(children);
}

} // namespace

std::vector<X11Windows::Window> X11Windows::all() {
    std::vector<Window> windows;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return windows;
    // A window that goes while it is being looked at yields errors, which the default handler would
    // turn into an exit of the test: it is passed over instead.
    auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    collect(display, DefaultRootWindow(display), windows);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return windows;
}

std::optional<X11Windows::Window> X11Windows::viewableNamed(const std::string& name) {
    for (const auto& window : all())
        if (window.viewable && window.name == name)
            return window;
    return std::nullopt;
}

} // namespace ondravell::test
