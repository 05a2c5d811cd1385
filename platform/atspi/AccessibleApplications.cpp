#include "platform/atspi/AccessibleApplications.h"

#include "platform/atspi/AtspiObjects.h"

#include <atspi/atspi.h>
#include <vector>

namespace ondravell::platform {

namespace {

using atspi::busName;
using atspi::dropError;

// Times focus questions, which libatspi bounds to the short wait while it lives: one that took about as
// long as that wait was not answered.
class Stopwatch {
public:
    Stopwatch() {
        atspi_set_timeout(AccessibleApplications::focusQuestionTimeoutMs,
                          AccessibleApplications::focusQuestionTimeoutMs);
    }
    ~Stopwatch() {
        atspi_set_timeout(AccessibleApplications::callTimeoutMs, AccessibleApplications::callTimeoutMs);
    }
    Stopwatch(const Stopwatch&) = delete;
    Stopwatch& operator=(const Stopwatch&) = delete;

    template <typename Question> auto operator()(Question question) {
        const auto start = AccessibleApplications::Clock::now();
        auto answer = question();
        if (AccessibleApplications::Clock::now() - start >= unansweredAfter)
            unanswered = true;
        return answer;
    }

    static constexpr std::chrono::milliseconds unansweredAfter{
        AccessibleApplications::focusQuestionTimeoutMs * 3 / 4};
    bool unanswered = false;
};

} // namespace

std::optional<std::int64_t> AccessibleApplications::processOf(AtspiAccessible* application) {
    const std::string_view name = busName(application);
    if (name.empty())
        return std::nullopt;
    auto record = records_.find(name);
    if (record != records_.end() && record->second.pid)
        return record->second.pid;
    // The bus daemon answers this, not the application.
    GError* error = nullptr;
    const auto pid = std::int64_t(atspi_accessible_get_process_id(application, &error));
    const bool known = !error && pid > 0;
    dropError(error);
    if (!known)
        return std::nullopt;
    records_[std::string(name)].pid = pid;
    return pid;
}

AtspiAccessible* AccessibleApplications::application(std::int64_t pid) {
    AtspiAccessible* desktop = atspi_get_desktop(0);
    if (!desktop)
        return nullptr;
    GError* error = nullptr;
    const int count = atspi_accessible_get_child_count(desktop, &error);
    dropError(error);
    AtspiAccessible* found = nullptr;
    for (int i = 0; i < count && !found; ++i) {
        AtspiAccessible* child = atspi_accessible_get_child_at_index(desktop, i, &error);
        dropError(error);
        if (!child)
            continue;
        if (processOf(child) == pid)
            found = child;
        else
            g_object_unref(child);
    }
    g_object_unref(desktop);
    return found;
}

bool AccessibleApplications::quiet(std::string_view busName, Clock::time_point now) const {
    auto record = records_.find(busName);
    return record != records_.end() && record->second.quietUntil && now < *record->second.quietUntil;
}

void AccessibleApplications::unanswered(std::string_view busName, Clock::time_point now) {
    if (!busName.empty())
        records_[std::string(busName)].quietUntil = now + quietTime;
}

void AccessibleApplications::answered(std::string_view busName) {
    auto record = records_.find(busName);
    if (record != records_.end())
        record->second.quietUntil.reset();
}

void AccessibleApplications::left(std::string_view busName) {
    auto record = records_.find(busName);
    if (record != records_.end())
        records_.erase(record);
}

std::optional<bool> AccessibleApplications::stillFocused(AtspiAccessible* object) {
    Stopwatch timed;
    AtspiStateSet* states = timed([object] { return atspi_accessible_get_state_set(object); });
    const bool focused = states && atspi_state_set_contains(states, ATSPI_STATE_FOCUSED);
    if (states)
        g_object_unref(states);
    if (timed.unanswered) {
        unanswered(busName(object));
        return std::nullopt;
    }
    return focused;
}

AccessibleApplications::Search AccessibleApplications::searchFocused(AtspiAccessible* application) {
    const auto deadline = Clock::now() + searchTime;
    Stopwatch timed;
    Search search;
    // Objects still to look at, last first; each holds a reference.
    std::vector<AtspiAccessible*> pending;
    auto statesOf = [&timed](AtspiAccessible* object) {
        return timed([object] { return atspi_accessible_get_state_set(object); });
    };
    auto pushChildren = [&](AtspiAccessible* object, bool activeOnly) {
        GError* error = nullptr;
        const int count = timed([&] { return atspi_accessible_get_child_count(object, &error); });
        dropError(error);
        std::vector<AtspiAccessible*> children;
        for (int i = 0; i < count && !timed.unanswered && int(children.size()) < searchObjectLimit; ++i) {
            AtspiAccessible* child =
                timed([&] { return atspi_accessible_get_child_at_index(object, i, &error); });
            dropError(error);
            if (!child)
                continue;
            if (activeOnly) {
                // Only the application's active window holds the keyboard focus.
                AtspiStateSet* states = statesOf(child);
                const bool active = states && atspi_state_set_contains(states, ATSPI_STATE_ACTIVE);
                if (states)
                    g_object_unref(states);
                if (!active) {
                    g_object_unref(child);
                    continue;
                }
            }
            children.push_back(child);
        }
        pending.insert(pending.end(), children.rbegin(), children.rend());
    };
    pushChildren(application, true);
    int looked = 0;
    while (!pending.empty() && !search.found && !timed.unanswered && looked < searchObjectLimit &&
           Clock::now() < deadline) {
        AtspiAccessible* object = pending.back();
        pending.pop_back();
        ++looked;
        AtspiStateSet* states = statesOf(object);
        if (states && atspi_state_set_contains(states, ATSPI_STATE_FOCUSED)) {
            search.found = object;
        } else {
            // What is not on screen holds no focus, and a container managing its descendants is
            // focused itself when one of them has the keyboard.
            if (states && atspi_state_set_contains(states, ATSPI_STATE_SHOWING) &&
                !atspi_state_set_contains(states, ATSPI_STATE_MANAGES_DESCENDANTS))
                pushChildren(object, false);
            g_object_unref(object);
        }
        if (states)
            g_object_unref(states);
    }
    for (AtspiAccessible* object : pending)
        g_object_unref(object);
    if (timed.unanswered) {
        search.unanswered = true;
        unanswered(busName(application));
    }
    return search;
}

} // namespace ondravell::platform
