#include "platform/x11/X11FrontmostApplication.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace ondravell::platform {

namespace {

// A text property of `window`, as its bytes; empty when absent.
std::string textProperty(Display* display, Window window, const char* name) {
    Atom property = XInternAtom(display, name, True);
    if (property == None)
        return {};
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                           &after, &data) == Success &&
        data && format == 8)
        text.assign(reinterpret_cast<const char*>(data), count);
    if (data)
        XFree(data);
    return text;
}

std::optional<Window> activeWindow(Display* display) {
    Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    if (active == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<Window> window;
    if (XGetWindowProperty(display, DefaultRootWindow(display), active, 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data && format == 32 && count == 1) {
        Window id = *reinterpret_cast<const unsigned long*>(data);
        if (id != None)
            window = id;
    }
    if (data)
        XFree(data);
    return window;
}

// Whether the keyboard focus is `window` or a window inside it.
bool holdsFocus(Display* display, Window window) {
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    for (int depth = 0; focus != None && focus != PointerRoot && depth < 64; ++depth) {
        if (focus == window)
            return true;
        Window root = None, parent = None, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, focus, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        if (parent == root)
            return false;
        focus = parent;
    }
    return false;
}

} // namespace

X11FrontmostApplication::~X11FrontmostApplication() {
    if (display_)
        XCloseDisplay(display_);
}

std::optional<std::string> X11FrontmostApplication::readActiveWindow(std::string (*read)(Display*, Window)) {
    if (!display_ && !(display_ = XOpenDisplay(nullptr)))
        return std::nullopt;
    std::optional<Window> window = activeWindow(display_);
    if (!window)
        return std::nullopt;
    // A window that went away between the two questions only yields errors, which the default
    // handler would turn into an exit.
    auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    // A window manager may still name a window that has been hidden since (our own result panel after
    // a replace): it is in front of nothing.
    XWindowAttributes attributes{};
    std::string text;
    if (XGetWindowAttributes(display_, *window, &attributes) && attributes.map_state == IsViewable &&
        (!onlyWithKeyboard_ || holdsFocus(display_, *window)))
        text = read(display_, *window);
    XSync(display_, False);
    XSetErrorHandler(previous);
    if (text.empty())
        return std::nullopt;
    return text;
}

std::optional<std::string> X11FrontmostApplication::bundleIdentifier() {
    return readActiveWindow([](Display* display, Window window) {
        std::string id = textProperty(display, window, "_GTK_APPLICATION_ID");
        if (id.empty())
            id = textProperty(display, window, "_KDE_NET_WM_DESKTOP_FILE");
        if (id.empty()) {
            XClassHint hint{nullptr, nullptr};
            if (XGetClassHint(display, window, &hint)) {
                if (hint.res_class)
                    id = hint.res_class;
                XFree(hint.res_name);
                XFree(hint.res_class);
            }
        }
        return id;
    });
}

std::optional<std::string> X11FrontmostApplication::windowObjectPath() {
    return readActiveWindow([](Display* display, Window window) {
        return textProperty(display, window, "_GTK_WINDOW_OBJECT_PATH");
    });
}

} // namespace ondravell::platform
