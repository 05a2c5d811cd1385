#include "platform/atspi/AtspiFocusTracker.h"

#include "platform/atspi/AccessibleApplications.h"
#include "platform/atspi/AccessibleTextRange.h"
#include "platform/atspi/AtspiObjects.h"
#include "platform/atspi/ProcessDesktopId.h"

#include <atspi/atspi.h>
#include <dbus/dbus.h>
#include <unistd.h>

namespace ondravell::platform {

namespace {

using atspi::busName;
using atspi::dropError;

constexpr int callTimeoutMs = AccessibleApplications::callTimeoutMs;

// The file's text; empty when it cannot be read. A process's files under /proc fail to read once it has
// ended, which is no error here (a stream would throw then).
std::string readFile(const std::string& path) {
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return {};
    std::string text(contents, length);
    g_free(contents);
    return text;
}

// Focus and selection changes, scroll bars moving (whose value changes, for the wheel as for a drag),
// and windows becoming active (GTK 4 tells that only as its frame's state).
constexpr const char* listenedEvents[] = {"object:state-changed:focused", "object:text-selection-changed",
                                          "object:property-change:accessible-value", "window:activate",
                                          "object:state-changed:active"};

// The bus daemon's word that a name changed owner: the unique name of an application that left the
// accessibility bus loses its owner, and one that joined gains one. Watched on the bus itself rather than
// through the desktop's children-changed events: listening to those makes every application send each change
// of its objects.
constexpr const char* nameOwnerChangedRule =
    "type='signal',sender='org.freedesktop.DBus',interface='org.freedesktop.DBus',member='NameOwnerChanged'";

} // namespace

struct AtspiFocusTracker::State {
    std::function<void(const std::optional<Focus>&)> published;
    std::function<void()> selectionLost;
    std::optional<Focus> known;
    // The process whose objects are passed over: the program the helper answers.
    std::int64_t ownPid = 0;

    // Whether the accessibility bus was reached.
    bool available = false;
    // The text object of another application that had the focus last, and the last range that was
    // selected in it.
    std::uint64_t focusSerial = 0;
    AtspiAccessible* lastFocused = nullptr;
    AtspiAccessible* lastText = nullptr;
    std::optional<AccessibleTextRange> lastSelection;
    AtspiEventListener* listener = nullptr;
    AccessibleApplications applications;
    // The process of the application that told of a focus or an active window last.
    std::optional<std::int64_t> lastActiveProcess;
    // Counts what may change the answer to a focus question: focus and window events, applications
    // joining and leaving. An answer found by asking stands until it moves.
    std::uint64_t eventSerial = 0;
    struct Asked {
        std::int64_t process = 0;
        std::uint64_t serial = 0;
        bool known = false;
    };
    std::optional<Asked> lastAsked;
    Met met;

    bool start() {
        // 0: started; 1: started before in this process; anything else: no accessibility bus. Without a
        // bus the library ends the process at its first question, so none is ever asked then.
        int status = atspi_init();
        if ((status != 0 && status != 1) || !atspi_get_a11y_bus())
            return false;
        available = true;
        // The second value is the bound for applications that joined the bus lately, which gets no
        // longer here.
        atspi_set_timeout(callTimeoutMs, callTimeoutMs);
        listener = atspi_event_listener_new(
            [](AtspiEvent* event, void* data) {
                static_cast<State*>(data)->handle(event);
                g_boxed_free(ATSPI_TYPE_EVENT, event);
            },
            this, nullptr);
        GError* error = nullptr;
        for (const char* type : listenedEvents) {
            atspi_event_listener_register(listener, type, &error);
            dropError(error);
        }
        if (DBusConnection* bus = atspi_get_a11y_bus()) {
            dbus_bus_add_match(bus, nameOwnerChangedRule, nullptr);
            dbus_connection_add_filter(bus, nameOwnerChanged, this, nullptr);
        }
        return true;
    }

    static DBusHandlerResult nameOwnerChanged(DBusConnection*, DBusMessage* message, void* data) {
        const char *name = nullptr, *oldOwner = nullptr, *newOwner = nullptr;
        if (dbus_message_is_signal(message, DBUS_INTERFACE_DBUS, "NameOwnerChanged") &&
            dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_STRING, &oldOwner,
                                  DBUS_TYPE_STRING, &newOwner, DBUS_TYPE_INVALID)) {
            auto* state = static_cast<State*>(data);
            ++state->eventSerial;
            if (*newOwner == '\0') {
                ++state->met.applicationsGone;
                state->applicationLeft(name);
            }
        }
        // libatspi follows the same signal for the applications it knows.
        return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    }

    // The application of the bus name `name` left the bus: when it held the focus (its window closed,
    // it ended), no event of its own said so.
    void applicationLeft(std::string_view name) {
        applications.left(name);
        if (lastText && busName(lastText) == name) {
            drop(lastText);
            lastSelection.reset();
        }
        if (!lastFocused || busName(lastFocused) != name)
            return;
        drop(lastFocused);
        forgetFocus();
        selectionLost();
    }

    static void drop(AtspiAccessible*& object) {
        if (object)
            g_object_unref(object);
        object = nullptr;
    }

    void stop() {
        if (DBusConnection* bus = available ? atspi_get_a11y_bus() : nullptr) {
            dbus_connection_remove_filter(bus, nameOwnerChanged, this);
            dbus_bus_remove_match(bus, nameOwnerChangedRule, nullptr);
        }
        if (listener) {
            GError* error = nullptr;
            for (const char* type : listenedEvents) {
                atspi_event_listener_deregister(listener, type, &error);
                dropError(error);
            }
            g_object_unref(listener);
        }
        dropObjects();
    }

    void dropObjects() {
        drop(lastFocused);
        drop(lastText);
        lastSelection.reset();
    }

    void handle(AtspiEvent* event) {
        AtspiAccessible* source = event->source;
        if (!source)
            return;
        const std::string_view type = event->type ? event->type : "";
        // It sent something: it answers again.
        applications.answered(busName(source));
        if (type.starts_with("window:activate") || type.starts_with("object:state-changed:active")) {
            if (type.starts_with("window:") || event->detail1)
                activated(source);
            return;
        }
        if (type.starts_with("object:text-selection-changed")) {
            if (source != lastText)
                return;
            // Cleared (a click into the text, typing over it): what the bar was shown for is gone.
            if (std::optional<AccessibleTextRange> range = selectionNow())
                lastSelection = range;
            else if (source == lastFocused)
                selectionLost();
            return;
        }
        if (type.starts_with("object:property-change:accessible-value")) {
            // The content of the focused application scrolled: the selection is no longer where it
            // was. Other values (a progress bar's) move by themselves.
            if (lastFocused && busName(source) == busName(lastFocused) &&
                atspi_accessible_get_role(source, nullptr) == ATSPI_ROLE_SCROLL_BAR)
                selectionLost();
            return;
        }
        ++eventSerial;
        if (event->detail1) {
            // Another object took the focus (a click elsewhere, another window); an application tells
            // the same focus more than once.
            if (lastFocused && source != lastFocused)
                selectionLost();
            focusOn(source);
        } else if (source == lastFocused) {
            forgetFocus();
            selectionLost();
        }
    }

    void publish(const Focus& focus) {
        known = focus;
        published(focus);
    }

    void forgetFocus() {
        known.reset();
        published(std::nullopt);
    }

    // `source` has the focus now: what it is and whose. Objects of our own process are passed over, so
    // the application the user selected in stays the one before our windows.
    void focusOn(AtspiAccessible* source) {
        const std::uint64_t serial = ++focusSerial;
        ++met.focusChanges;
        GError* error = nullptr;
        const std::int64_t pid = applications.processOf(source).value_or(0);
        if (pid == ownPid)
            return;
        if (pid > 0)
            lastActiveProcess = pid;
        Focus focus;
        if (pid > 0)
            focus.pid = pid;
        focus.password = atspi_accessible_get_role(source, &error) == ATSPI_ROLE_PASSWORD_TEXT;
        dropError(error);
        if (pid > 0)
            if (auto id = ProcessDesktopId::fromCgroup(readFile("/proc/" + std::to_string(pid) + "/cgroup")))
                focus.application = *id;
        publish(focus);
        // The name the application gives itself takes a walk up its objects, which an application
        // busy starting up answers late: what is known already is published before it.
        if (focus.application.empty()) {
            if (AtspiAccessible* application = atspi_accessible_get_application(source, &error)) {
                if (gchar* name = atspi_accessible_get_name(application, nullptr)) {
                    focus.application = name;
                    g_free(name);
                }
                g_object_unref(application);
            }
            dropError(error);
            // Waiting for the answer runs the loop: a later focus may have been seen meanwhile.
            if (serial == focusSerial)
                publish(focus);
        }
        keep(lastFocused, source);
        if (AtspiText* text = atspi_accessible_get_text_iface(source)) {
            g_object_unref(text);
            if (lastText != source) {
                keep(lastText, source);
                lastSelection.reset();
            }
            rememberSelection();
        }
    }

    static void keep(AtspiAccessible*& slot, AtspiAccessible* object) {
        if (slot == object)
            return;
        g_object_ref(object);
        if (slot)
            g_object_unref(slot);
        slot = object;
    }

    // A window of `source`'s application became active: that application is the one the user works in.
    void activated(AtspiAccessible* source) {
        ++eventSerial;
        std::optional<std::int64_t> pid = applications.processOf(source);
        if (pid && *pid != ownPid)
            lastActiveProcess = pid;
    }

    // Makes sure the focus known is the focus now, asking as little as possible. The events tell it
    // for every application that reported a focus since we listened; only the application the user
    // works in is ever asked, and only when its events did not tell (an application that started
    // before us, or before its bridge learnt of our listener, sent its focus before we listened):
    // `windowProcess`, the process of the window with the keyboard when the program knows it, else
    // the application that told of a focus or an active window last. An application that left a
    // question unanswered lately is not asked. False when the focus could not be known (that
    // application does not answer).
    bool refresh(std::optional<std::int64_t> windowProcess) {
        if (!available)
            return true;
        // Our own windows are passed over: the application the user selected in stays the one before.
        if (windowProcess && *windowProcess == ownPid)
            return true;
        const std::optional<std::int64_t> process = windowProcess ? windowProcess : lastActiveProcess;
        if (!process)
            return true;
        if (lastAsked && lastAsked->process == *process && lastAsked->serial == eventSerial)
            return lastAsked->known;
        const bool answered = confirm(*process);
        lastAsked = Asked{*process, eventSerial, answered};
        return answered;
    }

    // The object the events named last, when it is process `pid`'s and still has the focus (an event
    // may name an object its application no longer has); else what that application has focused.
    bool confirm(std::int64_t pid) {
        if (!known || known->pid != pid || !lastFocused || applications.processOf(lastFocused) != pid)
            return ask(pid);
        if (applications.quiet(busName(lastFocused))) {
            forgetFocus();
            return false;
        }
        std::optional<bool> focused = applications.stillFocused(lastFocused);
        if (!focused) {
            forgetFocus();
            return false;
        }
        if (!*focused)
            return ask(pid);
        focusOn(lastFocused);
        return true;
    }

    // Asks the application of process `pid` what it has focused; false when it does not answer.
    bool ask(std::int64_t pid) {
        AtspiAccessible* application = applications.application(pid);
        if (!application) {
            // A window of an application not on the bus (a terminal, a toolkit without the bridge):
            // nothing the bus knows has the focus.
            forgetFocusIfKnown();
            return true;
        }
        bool answered = false;
        if (!applications.quiet(busName(application))) {
            AccessibleApplications::Search search = applications.searchFocused(application);
            answered = !search.unanswered;
            if (search.found) {
                focusOn(search.found);
                g_object_unref(search.found);
                answered = true;
            }
        }
        g_object_unref(application);
        if (!answered || !known || known->pid != pid)
            forgetFocusIfKnown();
        return answered;
    }

    void forgetFocusIfKnown() {
        if (known)
            forgetFocus();
    }

    // The selection of `lastText` now, when it has one.
    std::optional<AccessibleTextRange> selectionNow() {
        if (!lastText)
            return std::nullopt;
        AtspiText* text = atspi_accessible_get_text_iface(lastText);
        if (!text)
            return std::nullopt;
        std::optional<AccessibleTextRange> range;
        GError* error = nullptr;
        if (atspi_text_get_n_selections(text, &error) > 0) {
            if (AtspiRange* selection = atspi_text_get_selection(text, 0, &error)) {
                if (selection->end_offset > selection->start_offset)
                    range = AccessibleTextRange{selection->start_offset, selection->end_offset};
                g_free(selection);
            }
        }
        dropError(error);
        g_object_unref(text);
        return range;
    }

    void rememberSelection() {
        if (auto range = selectionNow())
            lastSelection = range;
    }

    std::optional<Rect> extents() {
        if (!available)
            return std::nullopt;
        std::optional<AccessibleTextRange> range = selectionNow();
        AtspiText* text = lastText ? atspi_accessible_get_text_iface(lastText) : nullptr;
        if (!range || !text) {
            if (text)
                g_object_unref(text);
            return std::nullopt;
        }
        GError* error = nullptr;
        std::optional<Rect> rect;
        if (AtspiRect* box = atspi_text_get_range_extents(text, range->start, range->end,
                                                          ATSPI_COORD_TYPE_SCREEN, &error)) {
            if (box->width > 0 && box->height > 0)
                rect = Rect{double(box->x), double(box->y), double(box->width), double(box->height)};
            g_free(box);
        }
        dropError(error);
        g_object_unref(text);
        return rect;
    }

    // Inserts `value` at `position`; true once the field holds it there, which is asked again when the
    // call reports a failure (an answer that came after the call gave up still did the work).
    static bool insert(AtspiText* text, AtspiEditableText* editable, int position, const std::string& value) {
        if (value.empty())
            return true;
        GError* error = nullptr;
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (atspi_editable_text_insert_text(editable, position, value.c_str(), int(value.size()), &error))
                return true;
            dropError(error);
            gchar* now = atspi_text_get_text(text, position,
                                             position + AccessibleTextRange::characterCount(value), &error);
            dropError(error);
            const bool there = now && value == now;
            g_free(now);
            if (there)
                return true;
        }
        return false;
    }

    bool replace(const std::string& selected, const std::string& value) {
        if (!available || !lastText)
            return false;
        AtspiText* text = atspi_accessible_get_text_iface(lastText);
        AtspiEditableText* editable = atspi_accessible_get_editable_text_iface(lastText);
        bool replaced = false;
        GError* error = nullptr;
        if (text && editable) {
            // The selection now, else the range selected before the field lost the focus.
            std::optional<AccessibleTextRange> target;
            for (std::optional<AccessibleTextRange> range : {selectionNow(), lastSelection}) {
                if (!range)
                    continue;
                gchar* bytes = atspi_text_get_text(text, range->start, range->end, &error);
                dropError(error);
                if (bytes) {
                    target = AccessibleTextRange::locate(*range, bytes, selected);
                    g_free(bytes);
                }
                if (target)
                    break;
            }
            if (target && atspi_editable_text_delete_text(editable, target->start, target->end, &error)) {
                dropError(error);
                replaced = insert(text, editable, target->start, value);
                // Never leave the field without the user's text: a result that would not go in gives
                // way to the text that stood there.
                if (!replaced)
                    insert(text, editable, target->start, selected);
                lastSelection.reset();
            }
            dropError(error);
        }
        if (text)
            g_object_unref(text);
        if (editable)
            g_object_unref(editable);
        return replaced;
    }
};

AtspiFocusTracker::AtspiFocusTracker(std::function<void(const std::optional<Focus>&)> published,
                                     std::function<void()> selectionLost)
    : state_(std::make_unique<State>()) {
    state_->published = std::move(published);
    state_->selectionLost = std::move(selectionLost);
    // The helper is started by the program it answers, whose own windows are not another application.
    state_->ownPid = ::getppid();
}

AtspiFocusTracker::~AtspiFocusTracker() {
    state_->stop();
}

bool AtspiFocusTracker::start() {
    return state_->start();
}

bool AtspiFocusTracker::refresh(std::optional<std::int64_t> windowProcess) {
    return state_->refresh(windowProcess);
}

AtspiFocusTracker::Met AtspiFocusTracker::met() const {
    return state_->met;
}

std::optional<FocusedText::Focus> AtspiFocusTracker::focus() const {
    return state_->known;
}

std::optional<FocusedText::Rect> AtspiFocusTracker::extents() {
    return state_->extents();
}

bool AtspiFocusTracker::replace(const std::string& selected, const std::string& value) {
    return state_->replace(selected, value);
}

} // namespace ondravell::platform
