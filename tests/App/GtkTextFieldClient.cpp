// A GTK 3 window with one text field, as another application for the selection toolbar's tests: its
// text is the first argument; every change of the text is written to the file named by the second
// argument, when given (replaced whole), so a test can see what the field holds. Prints "ready" once shown.
#include <cstdio>
#include <gtk/gtk.h>
#include <string>

namespace {

struct Client {
    std::string textFile;
};

void writeText(GtkEditable* field, gpointer data) {
    const auto* client = static_cast<const Client*>(data);
    if (client->textFile.empty())
        return;
    const std::string temporary = client->textFile + ".new";
    if (FILE* file = std::fopen(temporary.c_str(), "wb")) {
        const char* text = gtk_entry_get_text(GTK_ENTRY(field));
        std::fwrite(text, 1, std::char_traits<char>::length(text), file);
        std::fclose(file);
        std::rename(temporary.c_str(), client->textFile.c_str());
    }
}

gboolean announce(gpointer) {
    std::puts("ready");
    std::fflush(stdout);
    return G_SOURCE_REMOVE;
}

} // namespace

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    Client client{argc > 2 ? argv[2] : ""};
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "gtk-text-field-client");
    gtk_window_move(GTK_WINDOW(window), 40, 300);
    gtk_window_set_default_size(GTK_WINDOW(window), 600, 60);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

    GtkWidget* field = gtk_entry_new();
    gtk_entry_set_text(GTK_ENTRY(field), argc > 1 ? argv[1] : "select some words here");
    PangoFontDescription* font = pango_font_description_from_string("Sans 20");
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_font_desc_new(font));
    gtk_entry_set_attributes(GTK_ENTRY(field), attributes);
    pango_attr_list_unref(attributes);
    pango_font_description_free(font);
    g_signal_connect(field, "changed", G_CALLBACK(writeText), &client);
    gtk_container_add(GTK_CONTAINER(window), field);
    gtk_widget_show_all(window);
    writeText(GTK_EDITABLE(field), &client);
    g_timeout_add(200, announce, nullptr);
    gtk_main();
    return 0;
}
