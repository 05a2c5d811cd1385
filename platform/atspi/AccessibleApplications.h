#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

typedef struct _AtspiAccessible AtspiAccessible;

namespace ondravell::platform {

// What the accessibility helper knows of the applications on the bus, kept only while they are on it:
// which one a process is, and which ones left a question unanswered lately and are therefore not asked
// again for a while. Also the one question the helper puts to an application for its focus: a search of
// its active window, bounded in objects and time, that never walks into a container managing its own
// descendants (a tree view of a hundred thousand rows). Helper thread only.
class AccessibleApplications {
public:
    using Clock = std::chrono::steady_clock;

    // How long one question to an application may take before it counts as unanswered: an application
    // that just told of itself (a focus, a selection) is asked about it, and the one the user replaces
    // text in, with libatspi's usual patience.
    static constexpr int callTimeoutMs = 1500;
    // Asking an application what it has focused is bounded well below the program's wait for a settled
    // focus, so that an application that does not answer (a hung one, one busy with a large window)
    // costs one question, not the answer.
    static constexpr int focusQuestionTimeoutMs = 200;
    // How long an application that left a question unanswered is not asked again.
    static constexpr std::chrono::seconds quietTime{15};
    // The most objects one search looks at, and how long it may go on (one question under way when the
    // time is up still runs to its own bound).
    static constexpr int searchObjectLimit = 400;
    static constexpr std::chrono::milliseconds searchTime{250};

    // The process of the application `application` belongs to, as the bus daemon tells.
    std::optional<std::int64_t> processOf(AtspiAccessible* application);
    // The root of the application that process `pid` runs (a new reference), found through the
    // registry's list and the bus daemon, without asking any application; nullptr when it is not on the
    // bus.
    AtspiAccessible* application(std::int64_t pid);

    // Whether the application of bus name `busName` is not to be asked now.
    bool quiet(std::string_view busName, Clock::time_point now = Clock::now()) const;
    // It left a question unanswered, or it answered (an event from it counts).
    void unanswered(std::string_view busName, Clock::time_point now = Clock::now());
    void answered(std::string_view busName);
    // It left the bus: nothing of it is kept.
    void left(std::string_view busName);

    struct Search {
        // A new reference to the focused object, when found.
        AtspiAccessible* found = nullptr;
        // Whether the application failed to answer in time (it is then quiet for a while).
        bool unanswered = false;
    };
    // The focused object of `application`'s active window.
    Search searchFocused(AtspiAccessible* application);
    // Whether `object` still has the focus; nullopt when its application did not answer in time (it is
    // then quiet for a while).
    std::optional<bool> stillFocused(AtspiAccessible* object);

private:
    struct Record {
        std::optional<std::int64_t> pid;
        std::optional<Clock::time_point> quietUntil;
    };
    std::map<std::string, Record, std::less<>> records_;
};

} // namespace ondravell::platform
