#!/usr/bin/python3
"""GTK 3 applications on the accessibility bus for hung-application.sh.

  accessibility-clients.py tree ROWS   a window showing a tree view of ROWS rows (a busy application)
  accessibility-clients.py field       a window with a text field (stopped with SIGSTOP: a hung one)
  accessibility-clients.py churn N     N windows with a text field, one after another, each shown,
                                       focused and closed again

Each prints "ready" once its (first) window is shown; churn prints "done" after its last window.
"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


def announce(text):
    print(text, flush=True)
    return GLib.SOURCE_REMOVE


def tree(rows):
    store = Gtk.ListStore(str, int)
    for row in range(rows):
        store.append([f"row {row} of the busy application", row])
    view = Gtk.TreeView(model=store)
    for column, title in enumerate(["name", "number"]):
        view.append_column(Gtk.TreeViewColumn(title, Gtk.CellRendererText(), text=column))
    scrolled = Gtk.ScrolledWindow()
    scrolled.add(view)
    window = Gtk.Window(title="busy-tree-client")
    window.set_default_size(500, 300)
    window.move(650, 100)
    window.add(scrolled)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    GLib.timeout_add(300, announce, "ready")


def field():
    window = Gtk.Window(title="hung-field-client")
    entry = Gtk.Entry(text="words of an application that stops answering")
    window.add(entry)
    window.move(40, 600)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    GLib.timeout_add(300, announce, "ready")


def churn(count):
    state = {"left": count}

    def next_window():
        if state["left"] == 0:
            announce("done")
            Gtk.main_quit()
            return GLib.SOURCE_REMOVE
        state["left"] -= 1
        window = Gtk.Window(title="churn-client")
        entry = Gtk.Entry(text=f"window {count - state['left']}")
        window.add(entry)
        window.move(700, 600)
        # Without a window manager the window takes the keyboard itself, as a desktop would give it.
        window.connect("map-event", lambda shown, _event: shown.get_window().focus(0))
        window.show_all()
        entry.grab_focus()
        # Long enough for the window to be mapped and its focus told on the bus.
        GLib.timeout_add(60, close, window)
        return GLib.SOURCE_REMOVE

    def close(window):
        window.destroy()
        GLib.idle_add(next_window)
        return GLib.SOURCE_REMOVE

    GLib.idle_add(next_window)
    announce("ready")


def main():
    kind = sys.argv[1]
    if kind == "tree":
        tree(int(sys.argv[2]))
    elif kind == "field":
        field()
    elif kind == "churn":
        churn(int(sys.argv[2]))
    else:
        sys.exit(f"unknown kind {kind}")
    Gtk.main()


if __name__ == "__main__":
    main()
