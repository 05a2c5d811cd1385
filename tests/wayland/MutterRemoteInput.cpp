#include "tests/wayland/MutterRemoteInput.h"

#include "tests/wayland/SessionClients.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdlib>
#include <gio/gio.h>
#include <iterator>
#include <thread>

namespace ondravell::test {

namespace {

constexpr const char* service = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* sessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";
constexpr int stepPixels = 8;
constexpr unsigned keyLeftShift = 42, keyHome = 102, keyEnd = 107;
// Lets the compositor hand each event to the client before the next one, as a hand would.
void pause() {
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
}

} // namespace

MutterRemoteInput::MutterRemoteInput() {
    GError* failure = nullptr;
    bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &failure);
    if (!bus_) {
        error_ = failure->message;
        g_error_free(failure);
        return;
    }
    GVariant* reply = g_dbus_connection_call_sync(bus_, service, "/org/gnome/Mutter/RemoteDesktop", service,
                                                  "CreateSession", nullptr, G_VARIANT_TYPE("(o)"),
                                                  G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &failure);
    if (!reply) {
        error_ = failure->message;
        g_error_free(failure);
        return;
    }
    const char* path = nullptr;
    g_variant_get(reply, "(&o)", &path);
    std::string session = path;
    g_variant_unref(reply);
    reply = g_dbus_connection_call_sync(bus_, service, session.c_str(), sessionInterface, "Start", nullptr,
                                        nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &failure);
    if (!reply) {
        error_ = failure->message;
        g_error_free(failure);
        return;
    }
    g_variant_unref(reply);
    session_ = session;
    // The seat gets its keyboard with the first key event; Shift changes nothing in any window.
    key(keyLeftShift, true);
    key(keyLeftShift, false);
}

MutterRemoteInput::~MutterRemoteInput() {
    if (ok())
        call("Stop", "()");
    if (bus_)
        g_object_unref(bus_);
}

void MutterRemoteInput::call(const char* method, const char* signature, ...) {
    if (!ok())
        return;
    va_list arguments;
    va_start(arguments, signature);
    GVariant* parameters = g_variant_new_va(signature, nullptr, &arguments);
    va_end(arguments);
    GError* failure = nullptr;
    GVariant* reply =
        g_dbus_connection_call_sync(bus_, service, session_.c_str(), sessionInterface, method, parameters,
                                    nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &failure);
    if (reply)
        g_variant_unref(reply);
    else {
        error_ = failure->message;
        g_error_free(failure);
    }
}

void MutterRemoteInput::key(unsigned code, bool pressed) {
    call("NotifyKeyboardKeycode", "(ub)", code, gboolean(pressed));
    pause();
}

void MutterRemoteInput::chord(std::initializer_list<unsigned> codes) {
    for (unsigned code : codes)
        key(code, true);
    for (auto it = std::rbegin(codes); it != std::rend(codes); ++it)
        key(*it, false);
}

void MutterRemoteInput::selectLineByKeys() {
    chord({keyHome});
    chord({keyLeftShift, keyEnd});
}

void MutterRemoteInput::moveTo(int x, int y) {
    call("NotifyPointerMotionRelative", "(dd)", -5000.0, -5000.0);
    call("NotifyPointerMotionRelative", "(dd)", double(x), double(y));
    x_ = x;
    y_ = y;
    pause();
}

void MutterRemoteInput::button(bool pressed, int button) {
    call("NotifyPointerButton", "(ib)", button, gboolean(pressed));
    pause();
}

void MutterRemoteInput::click(int x, int y) {
    moveTo(x, y);
    button(true);
    button(false);
}

void MutterRemoteInput::scroll() {
    // Axis 0 is the vertical one.
    call("NotifyPointerAxisDiscrete", "(ui)", 0u, 1);
    pause();
}

void MutterRemoteInput::clickX11Window(int x, int y) {
    moveTo(x, y);
    eventually([x, y] { return x11PointerIsAt(x, y); }, std::chrono::seconds(2));
    button(true);
    button(false);
}

void MutterRemoteInput::drag(int fromX, int fromY, int toX, int toY) {
    moveTo(fromX, fromY);
    button(true);
    int steps = std::max(std::abs(toX - fromX), std::abs(toY - fromY)) / stepPixels + 1;
    for (int i = 1; i <= steps; ++i) {
        int x = fromX + (toX - fromX) * i / steps, y = fromY + (toY - fromY) * i / steps;
        call("NotifyPointerMotionRelative", "(dd)", double(x - x_), double(y - y_));
        x_ = x;
        y_ = y;
        pause();
    }
    button(false);
}

} // namespace ondravell::test
