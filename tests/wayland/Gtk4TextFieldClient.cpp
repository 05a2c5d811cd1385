// A GTK 4 window with one text field, as another application for the selection toolbar's tests: its
// text is the first argument; every change of the text is written to the file named by the second
// argument, when given (replaced whole); a third argument "password" makes it a password entry,
// "hidden" an entry whose visibility is off.
#include "tests/App/Selection/TextFieldFile.h"

#include <cstdio>
#include <gtk/gtk.h>
#include <string>

namespace {

struct Client {
    std::string text;
    std::string textFile;
    std::string kind;
};

void writeText(GtkEditable* field, gpointer data) {
    ondravell::test::writeTextFieldFile(static_cast<const Client*>(data)->textFile,
                                        gtk_editable_get_text(field));
}

void activate(GtkApplication* application, gpointer data) {
    auto* client = static_cast<Client*>(data);
    GtkWidget* window = gtk_application_window_new(application);
    gtk_window_set_title(GTK_WINDOW(window), "gtk4-text-field-client");
    gtk_window_set_default_size(GTK_WINDOW(window), 600, 60);
    GtkWidget* field = client->kind == "password" ? gtk_password_entry_new() : gtk_entry_new();
    if (client->kind == "hidden")
        gtk_entry_set_visibility(GTK_ENTRY(field), FALSE);
    gtk_editable_set_text(GTK_EDITABLE(field), client->text.c_str());
    g_signal_connect(field, "changed", G_CALLBACK(writeText), client);
    gtk_window_set_child(GTK_WINDOW(window), field);
    gtk_window_present(GTK_WINDOW(window));
    writeText(GTK_EDITABLE(field), client);
}

} // namespace

int main(int argc, char** argv) {
    Client client{argc > 1 ? argv[1] : "select some words here", argc > 2 ? argv[2] : "",
                  argc > 3 ? argv[3] : ""};
    GtkApplication* application = gtk_application_new(nullptr, G_APPLICATION_NON_UNIQUE);
    g_signal_connect(application, "activate", G_CALLBACK(activate), &client);
    char* programName = argv[0];
    int status = g_application_run(G_APPLICATION(application), 1, &programName);
    g_object_unref(application);
    return status;
}
