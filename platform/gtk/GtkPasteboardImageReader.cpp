#include "platform/gtk/GtkPasteboardImageReader.h"

#include <gtk/gtk.h>

namespace ondravell::platform {

namespace {

using Handler = PasteboardImageReader::PNGHandler;

void answer(Handler* handler, std::optional<std::string> png) {
    try {
        (*handler)(std::move(png));
    } catch (...) {
        // A handler's failure must not unwind through GLib's dispatch.
    }
    delete handler;
}

void encode(GTask* task, gpointer, gpointer texture, GCancellable*) {
    g_task_return_pointer(task, gdk_texture_save_to_png_bytes(GDK_TEXTURE(texture)),
                          reinterpret_cast<GDestroyNotify>(g_bytes_unref));
}

void onEncoded(GObject*, GAsyncResult* result, gpointer userData) {
    auto* png = static_cast<GBytes*>(g_task_propagate_pointer(G_TASK(result), nullptr));
    if (!png) {
        answer(static_cast<Handler*>(userData), std::nullopt);
        return;
    }
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(png, &size));
    std::string bytes(data ? data : "", data ? size : 0);
    g_bytes_unref(png);
    answer(static_cast<Handler*>(userData), std::move(bytes));
}

void onTexture(GObject* source, GAsyncResult* result, gpointer userData) {
    GdkTexture* texture = gdk_clipboard_read_texture_finish(GDK_CLIPBOARD(source), result, nullptr);
    if (!texture) {
        answer(static_cast<Handler*>(userData), std::nullopt);
        return;
    }
    GTask* task = g_task_new(nullptr, nullptr, onEncoded, userData);
    g_task_set_task_data(task, texture, g_object_unref);
    g_task_run_in_thread(task, encode);
    g_object_unref(task);
}

} // namespace

void GtkPasteboardImageReader::readPNG(PNGHandler handler) {
    GdkDisplay* display = gdk_display_get_default();
    if (!display) {
        handler(std::nullopt);
        return;
    }
    gdk_clipboard_read_texture_async(gdk_display_get_clipboard(display), nullptr, onTexture,
                                     new Handler(std::move(handler)));
}

} // namespace ondravell::platform
