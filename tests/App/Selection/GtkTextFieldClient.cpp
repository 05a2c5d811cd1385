// A GTK 3 window with one text field, as another application for the selection toolbar's tests: its
// text is the first argument; every change of the text is written to the file named by the second
// argument, when given (replaced whole), so a test can see what the field holds; a third argument
// "password" makes it a password field, "multiline" a text view (which holds texts longer than an entry
// takes), "maximized" an entry filling a maximised window (where a Wayland window's place is not known,
// a click anywhere lands in it), "late-copy" an entry that answers the copy shortcut only after 700 ms
// (as an application busy with a long text does), "holder" no window at all but the clipboard holding
// the first argument, until another application takes it, when the program ends. Prints "ready" once
// shown. SIGINT closes its window, as the window's close button would, after which the program ends
// normally.
#include "tests/App/Selection/TextFieldFile.h"

#include <csignal>
#include <cstdio>
#include <glib-unix.h>
#include <gtk/gtk.h>
#include <string>

namespace {

struct Client {
    std::string textFile;
};

void writeText(GtkEditable* field, gpointer data) {
    ondravell::test::writeTextFieldFile(static_cast<const Client*>(data)->textFile,
                                        gtk_entry_get_text(GTK_ENTRY(field)));
}

void writeBuffer(GtkTextBuffer* buffer, gpointer data) {
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    ondravell::test::writeTextFieldFile(static_cast<const Client*>(data)->textFile, text);
    g_free(text);
}

gboolean announce(gpointer) {
    std::puts("ready");
    std::fflush(stdout);
    return G_SOURCE_REMOVE;
}

// The entry's copy, made late: the selection as it is then.
gboolean copyLate(gpointer data) {
    GtkEditable* field = GTK_EDITABLE(data);
    gint start = 0, end = 0;
    if (gtk_editable_get_selection_bounds(field, &start, &end)) {
        gchar* text = gtk_editable_get_chars(field, start, end);
        gtk_clipboard_set_text(gtk_widget_get_clipboard(GTK_WIDGET(field), GDK_SELECTION_CLIPBOARD), text,
                               -1);
        g_free(text);
    }
    return G_SOURCE_REMOVE;
}

void copyLater(GtkEntry* field, gpointer) {
    g_signal_stop_emission_by_name(field, "copy-clipboard");
    g_timeout_add(700, copyLate, field);
}

void serveHeldText(GtkClipboard*, GtkSelectionData* selection, guint, gpointer data) {
    gtk_selection_data_set_text(selection, static_cast<const gchar*>(data), -1);
}

void heldTextTaken(GtkClipboard*, gpointer) {
    gtk_main_quit();
}

// Holds `text` on the clipboard until another application takes it.
int holdClipboard(const char* text) {
    GtkTargetList* list = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add_text_targets(list, 0);
    gint count = 0;
    GtkTargetEntry* targets = gtk_target_table_new_from_list(list, &count);
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    const bool held = gtk_clipboard_set_with_data(clipboard, targets, guint(count), serveHeldText,
                                                  heldTextTaken, const_cast<char*>(text));
    gtk_target_table_free(targets, count);
    gtk_target_list_unref(list);
    if (!held)
        return 1;
    announce(nullptr);
    gtk_main();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    if (argc > 3 && std::string(argv[3]) == "holder")
        return holdClipboard(argv[1]);
    Client client{argc > 2 ? argv[2] : ""};
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "gtk-text-field-client");
    gtk_window_move(GTK_WINDOW(window), 40, 300);
    gtk_window_set_default_size(GTK_WINDOW(window), 600, 60);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    g_unix_signal_add(
        SIGINT,
        [](gpointer data) {
            gtk_window_close(GTK_WINDOW(data));
            return G_SOURCE_REMOVE;
        },
        window);

    const std::string mode = argc > 3 ? argv[3] : "";
    if (mode == "multiline" || mode == "scrolling") {
        GtkWidget* view = gtk_text_view_new();
        GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view));
        std::string text = argc > 1 ? argv[1] : "select some words here";
        if (mode == "scrolling") {
            for (int line = 1; line <= 300; ++line)
                text += "\nline " + std::to_string(line);
            gtk_window_maximize(GTK_WINDOW(window));
        }
        gtk_text_buffer_set_text(buffer, text.c_str(), -1);
        GtkTextIter start;
        gtk_text_buffer_get_start_iter(buffer, &start);
        gtk_text_buffer_place_cursor(buffer, &start);
        g_signal_connect(buffer, "changed", G_CALLBACK(writeBuffer), &client);
        if (mode == "scrolling") {
            GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
            gtk_container_add(GTK_CONTAINER(scrolled), view);
            gtk_container_add(GTK_CONTAINER(window), scrolled);
        } else {
            gtk_container_add(GTK_CONTAINER(window), view);
        }
        gtk_widget_show_all(window);
        writeBuffer(buffer, &client);
        gtk_main();
        return 0;
    }
    GtkWidget* field = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(field), argc > 1 ? argv[1] : "select some words here");
    PangoFontDescription* font = pango_font_description_from_string("Sans 20");
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_font_desc_new(font));
    gtk_entry_set_attributes(GTK_ENTRY(field), attributes);
    pango_attr_list_unref(attributes);
    pango_font_description_free(font);
    if (argc > 3 && std::string(argv[3]) == "password")
        gtk_entry_set_visibility(GTK_ENTRY(field), FALSE);
    if (argc > 3 && std::string(argv[3]) == "maximized")
        gtk_window_maximize(GTK_WINDOW(window));
    if (argc > 3 && std::string(argv[3]) == "late-copy")
        g_signal_connect(field, "copy-clipboard", G_CALLBACK(copyLater), nullptr);
    g_signal_connect(field, "changed", G_CALLBACK(writeText), &client);
    gtk_container_add(GTK_CONTAINER(window), field);
    gtk_widget_show_all(window);
    writeText(GTK_EDITABLE(field), &client);
    g_timeout_add(200, announce, nullptr);
    gtk_main();
    return 0;
}
