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

// The one 32-bit value of type `type` that property `name` of `window` holds; nullopt when it holds
// none, or zero.
std::optional<unsigned long> numberProperty(Display* display, Window window, const char* name, Atom type) {
    Atom property = XInternAtom(display, name, True);
    if (property == None)
        return std::nullopt;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<unsigned long> value;
    if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1) {
        unsigned long number = *reinterpret_cast<const unsigned long*>(data);
        if (number != 0)
            value = number;
    }
    if (data)
        XFree(data);
    return value;
}

std::optional<Window> activeWindow(Display* display) {
    return numberProperty(display, DefaultRootWindow(display), "_NET_ACTIVE_WINDOW", XA_WINDOW);
}

std::optional<std::string> nonEmpty(std::string text) {
    if (text.empty())
        return std::nullopt;
    return text;
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

template <typename Value>
std::optional<Value> X11FrontmostApplication::readActiveWindow(std::optional<Value> (*read)(Display*,
                                                                                            Window)) {
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
    std::optional<Value> value;
    if (XGetWindowAttributes(display_, *window, &attributes) && attributes.map_state == IsViewable &&
        (!onlyWithKeyboard_ || holdsFocus(display_, *window)))
        value = read(display_, *window);
    XSync(display_, False);
    XSetErrorHandler(previous);
    return value;
}

std::optional<std::string> X11FrontmostApplication::bundleIdentifier() {
    return readActiveWindow<std::string>([](Display* display, Window window) {
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
        return nonEmpty(id);
    });
}

std::optional<std::string> X11FrontmostApplication::windowObjectPath() {
    return readActiveWindow<std::string>([](Display* display, Window window) {
        return nonEmpty(textProperty(display, window, "_GTK_WINDOW_OBJECT_PATH"));
    });
}

std::optional<std::int64_t> X11FrontmostApplication::processId() {
    return readActiveWindow<std::int64_t>([](Display* display, Window window) -> std::optional<std::int64_t> {
        if (std::optional<unsigned long> pid = numberProperty(display, window, "_NET_WM_PID", XA_CARDINAL))
            return std::int64_t(*pid);
        return std::nullopt;
    });
}

} // namespace ondravell::platform
