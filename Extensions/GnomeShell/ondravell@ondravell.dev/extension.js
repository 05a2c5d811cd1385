// Ondravell's helper inside the Shell (GNOME 43, legacy imports). A Wayland session gives other
// programs no global keys, pointer, focused window or synthesised keys; this extension offers them
// on the session bus, at /K3WQ9ZD7TM/dev/ondravell/Shell, to one caller only: the current owner of
// the application's well-known name. Every other caller is refused, and signals go to that owner
// alone. Whoever owns that name is only some process of the user, so what it may ask stays within what
// the application needs: at most as many grabs as the application has hot keys, each a combination its
// settings can record, and only the copy and paste keys.
/* exported init */
'use strict';

const { Clutter, Gio, GLib, Meta, Shell } = imports.gi;
const Main = imports.ui.main;

const APP_BUS_NAME = 'K3WQ9ZD7TM.dev.ondravell.Ondravell';
const OBJECT_PATH = '/K3WQ9ZD7TM/dev/ondravell/Shell';
const INTERFACE_NAME = 'K3WQ9ZD7TM.dev.ondravell.Shell';
const INTERFACE = `<node>
  <interface name="${INTERFACE_NAME}">
    <method name="GrabAccelerator">
      <arg type="s" name="accelerator" direction="in"/>
      <arg type="u" name="action" direction="out"/>
    </method>
    <method name="UngrabAccelerator">
      <arg type="u" name="action" direction="in"/>
      <arg type="b" name="released" direction="out"/>
    </method>
    <method name="GetPointer">
      <arg type="i" name="x" direction="out"/>
      <arg type="i" name="y" direction="out"/>
      <arg type="u" name="mask" direction="out"/>
    </method>
    <method name="GetFocus">
      <arg type="a{sv}" name="window" direction="out"/>
    </method>
    <method name="SendKeys">
      <arg type="s" name="shortcut" direction="in"/>
    </method>
    <signal name="Accelerator">
      <arg type="u" name="action"/>
      <arg type="b" name="pressed"/>
    </signal>
    <signal name="Focus">
      <arg type="b" name="known"/>
      <arg type="a{sv}" name="window"/>
    </signal>
    <signal name="Pointer">
      <arg type="s" name="gesture"/>
      <arg type="i" name="x"/>
      <arg type="i" name="y"/>
      <arg type="b" name="x11"/>
    </signal>
  </interface>
</node>`;

// How often a held accelerator's modifiers are looked at until they are let go, and for how long.
const RELEASE_POLL_MS = 10;
const RELEASE_POLL_LIMIT_MS = 5000;
const MODIFIER_MASK = Clutter.ModifierType.SHIFT_MASK | Clutter.ModifierType.CONTROL_MASK |
    Clutter.ModifierType.MOD1_MASK | Clutter.ModifierType.SUPER_MASK | Clutter.ModifierType.MOD4_MASK;

// Of a run of scroll events (a touchpad sends one a frame) the application hears of one in this long.
const SCROLL_SIGNAL_GAP_MS = 200;

// The application's hot keys: three file-manager actions and the selection toolbar.
const MAX_GRABS = 4;
// What the application's key recorder can store, spelt as the application spells it: the modifiers in
// this order, at least one of Control, Alt and Super among them (Shift alone would take a character
// from every window), then a key's name.
const ACCELERATOR = /^(<Control>)?(<Alt>)?(<Shift>)?(<Super>)?([A-Za-z0-9_]+)$/;

function recordable(accelerator) {
    const parts = ACCELERATOR.exec(accelerator);
    return parts !== null && (parts[1] || parts[2] || parts[4]) !== undefined;
}

// The only key combinations SendKeys makes: never keys of the caller's choosing.
const SHORTCUTS = {
    copy: Clutter.KEY_c,
    paste: Clutter.KEY_v,
};

function rectangle(rect) {
    return new GLib.Variant('(iiii)', [rect.x, rect.y, rect.width, rect.height]);
}

// The focused window as the application names it; empty when no window has the focus.
function focusedWindow() {
    const window = global.display.focus_window;
    const result = {};
    if (!window)
        return result;
    const app = Shell.WindowTracker.get_default().get_window_app(window);
    const text = {
        'app-id': app ? app.get_id() : null,
        'gtk-application-id': window.get_gtk_application_id(),
        'gtk-window-object-path': window.get_gtk_window_object_path(),
        'wm-class': window.get_wm_class(),
    };
    for (const [key, value] of Object.entries(text)) {
        if (value)
            result[key] = new GLib.Variant('s', value);
    }
    result['pid'] = new GLib.Variant('i', window.get_pid());
    result['x11'] = new GLib.Variant('b', window.get_client_type() === Meta.WindowClientType.X11);
    result['frame'] = rectangle(window.get_frame_rect());
    result['buffer'] = rectangle(window.get_buffer_rect());
    return result;
}

// The window under a point of the stage, when a window is there (not the Shell's own panels).
function windowAt(x, y) {
    let actor = global.stage.get_actor_at_pos(Clutter.PickMode.REACTIVE, x, y);
    while (actor && !(actor instanceof Meta.WindowActor))
        actor = actor.get_parent();
    return actor ? actor.get_meta_window() : null;
}

// The pointer gestures the application hears of: what hides its toolbar on X11, where it sees them itself.
function gestureOf(event) {
    switch (event.type()) {
    case Clutter.EventType.BUTTON_PRESS:
        if (event.get_button() === Clutter.BUTTON_PRIMARY)
            return 'press';
        return event.get_button() === Clutter.BUTTON_SECONDARY ? 'right-press' : null;
    case Clutter.EventType.SCROLL:
        return 'scroll';
    default:
        return null;
    }
}

class OndravellShellService {
    constructor() {
        this._owner = null;
        this._grabs = new Set();
        this._releasePolls = new Set();
        this._keyboard = null;
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._exported.export(Gio.DBus.session, OBJECT_PATH);
        this._watch = Gio.bus_watch_name_on_connection(Gio.DBus.session, APP_BUS_NAME,
            Gio.BusNameWatcherFlags.NONE,
            (_connection, _name, owner) => {
                // A new owner starts with no grabs of an earlier one.
                if (this._owner !== owner)
                    this._ungrabAll();
                this._owner = owner;
                this._emitFocus();
            },
            () => {
                // The application left: what it grabbed goes with it.
                this._owner = null;
                this._ungrabAll();
            });
        this._acceleratorHandler = global.display.connect('accelerator-activated',
            (_display, action) => this._onAccelerator(action));
        // The application keeps the focused window from these, so it never waits for the Shell.
        this._focusHandler = global.display.connect('notify::focus-window', () => this._emitFocus());
        // Presses and scrolls over windows never reach the stage's own handlers: a filter sees every
        // event first. It only looks, and lets each event go on.
        this._lastScroll = 0;
        this._eventFilter = Clutter.Event.add_filter(global.stage, event => {
            this._onEvent(event);
            return Clutter.EVENT_PROPAGATE;
        });
    }

    destroy() {
        global.display.disconnect(this._acceleratorHandler);
        global.display.disconnect(this._focusHandler);
        Clutter.Event.remove_filter(this._eventFilter);
        this._emitSignal('Focus', new GLib.Variant('(ba{sv})', [false, {}]));
        Gio.bus_unwatch_name(this._watch);
        this._ungrabAll();
        this._exported.unexport();
        if (this._keyboard) {
            this._keyboard.run_dispose();
            this._keyboard = null;
        }
    }

    // Answers the caller with an error unless it is the application; true when it may go on.
    _allowed(invocation) {
        if (this._owner && invocation.get_sender() === this._owner)
            return true;
        invocation.return_dbus_error('org.freedesktop.DBus.Error.AccessDenied',
            'Only Ondravell may use this interface');
        return false;
    }

    _answer(invocation, work) {
        if (!this._allowed(invocation))
            return;
        try {
            invocation.return_value(work());
        } catch (e) {
            invocation.return_dbus_error('org.freedesktop.DBus.Error.Failed', String(e));
        }
    }

    _ungrabAll() {
        for (const source of this._releasePolls)
            GLib.source_remove(source);
        this._releasePolls.clear();
        for (const action of this._grabs)
            global.display.ungrab_accelerator(action);
        this._grabs.clear();
    }

    _emitSignal(name, parameters) {
        if (!this._owner)
            return;
        Gio.DBus.session.emit_signal(this._owner, OBJECT_PATH, INTERFACE_NAME, name, parameters);
    }

    _emit(action, pressed) {
        this._emitSignal('Accelerator', new GLib.Variant('(ub)', [action, pressed]));
    }

    _emitFocus() {
        this._emitSignal('Focus', new GLib.Variant('(ba{sv})', [true, focusedWindow()]));
    }

    // Tells the application of a press or a scroll; it learns those over X11 windows, its own among them,
    // from the X server as well, and tells them apart by the flag.
    _onEvent(event) {
        const gesture = this._owner ? gestureOf(event) : null;
        if (!gesture)
            return;
        if (gesture === 'scroll') {
            const now = GLib.get_monotonic_time() / 1000;
            if (now - this._lastScroll < SCROLL_SIGNAL_GAP_MS)
                return;
            this._lastScroll = now;
        }
        const [x, y] = event.get_coords();
        const window = windowAt(x, y);
        const x11 = window !== null && window.get_client_type() === Meta.WindowClientType.X11;
        this._emitSignal('Pointer', new GLib.Variant('(siib)', [gesture, Math.round(x), Math.round(y), x11]));
    }

    _onAccelerator(action) {
        if (!this._grabs.has(action))
            return;
        this._emit(action, true);
        // The Shell reports presses only: the release is when the modifiers are let go.
        let waited = 0;
        const source = GLib.timeout_add(GLib.PRIORITY_DEFAULT, RELEASE_POLL_MS, () => {
            waited += RELEASE_POLL_MS;
            const [, , mask] = global.get_pointer();
            if ((mask & MODIFIER_MASK) !== 0 && waited < RELEASE_POLL_LIMIT_MS)
                return GLib.SOURCE_CONTINUE;
            this._releasePolls.delete(source);
            this._emit(action, false);
            return GLib.SOURCE_REMOVE;
        });
        this._releasePolls.add(source);
    }

    GrabAcceleratorAsync([accelerator], invocation) {
        this._answer(invocation, () => {
            if (!recordable(accelerator))
                throw new Error(`${accelerator} is not a combination of the application's`);
            if (this._grabs.size >= MAX_GRABS)
                throw new Error('the application holds all its grabs already');
            const action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
            if (action === Meta.KeyBindingAction.NONE)
                throw new Error(`the combination ${accelerator} is taken or not valid`);
            Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action), Shell.ActionMode.ALL);
            this._grabs.add(action);
            return new GLib.Variant('(u)', [action]);
        });
    }

    UngrabAcceleratorAsync([action], invocation) {
        this._answer(invocation, () => {
            const held = this._grabs.delete(action);
            if (held) {
                Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action), Shell.ActionMode.NONE);
                global.display.ungrab_accelerator(action);
            }
            return new GLib.Variant('(b)', [held]);
        });
    }

    GetPointerAsync(_parameters, invocation) {
        this._answer(invocation, () => {
            const [x, y, mask] = global.get_pointer();
            return new GLib.Variant('(iiu)', [x, y, mask]);
        });
    }

    GetFocusAsync(_parameters, invocation) {
        this._answer(invocation, () => new GLib.Variant('(a{sv})', [focusedWindow()]));
    }

    SendKeysAsync([shortcut], invocation) {
        this._answer(invocation, () => {
            const key = SHORTCUTS[shortcut];
            if (key === undefined)
                throw new Error(`no shortcut named ${shortcut}`);
            if (!this._keyboard) {
                const seat = Clutter.get_default_backend().get_default_seat();
                this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
            }
            const now = GLib.get_monotonic_time();
            this._keyboard.notify_keyval(now, Clutter.KEY_Control_L, Clutter.KeyState.PRESSED);
            this._keyboard.notify_keyval(now, key, Clutter.KeyState.PRESSED);
            this._keyboard.notify_keyval(now, key, Clutter.KeyState.RELEASED);
            this._keyboard.notify_keyval(now, Clutter.KEY_Control_L, Clutter.KeyState.RELEASED);
            return null;
        });
    }
}

class Extension {
    enable() {
        this._service = new OndravellShellService();
    }

    disable() {
        this._service.destroy();
        this._service = null;
    }
}

function init() {
    return new Extension();
}
