#pragma once

#include <chrono>
#include <gtk/gtk.h>
#include <optional>
#include <string>
#include <thread>

namespace ondravell::test {

// Runs the GLib main loop until `done` holds or a deadline (generous by default) passes.
template <class Predicate>
bool spinUntil(Predicate done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The clipboard's text as another client of the display reads it.
inline std::optional<std::string> clipboardTextSeenByAnotherClient() {
    GdkDisplay* other = gdk_display_open(nullptr);
    if (!other)
        return std::nullopt;
    GdkClipboard* clipboard = gdk_display_get_clipboard(other);
    spinUntil([&] {
        GdkContentFormats* formats = gdk_clipboard_get_formats(clipboard);
        return formats && gdk_content_formats_contain_gtype(formats, G_TYPE_STRING);
    });
    struct Answer {
        bool done = false;
        std::optional<std::string> text;
    } answer;
    gdk_clipboard_read_text_async(
        clipboard, nullptr,
        [](GObject* source, GAsyncResult* result, gpointer data) {
            auto* answer = static_cast<Answer*>(data);
            if (char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(source), result, nullptr)) {
                answer->text = text;
                g_free(text);
            }
            answer->done = true;
        },
        &answer);
    spinUntil([&] { return answer.done; });
    gdk_display_close(other);
    return answer.text;
}

} // namespace ondravell::test
