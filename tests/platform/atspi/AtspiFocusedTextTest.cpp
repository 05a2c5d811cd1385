#include "platform/atspi/AtspiFocusedText.h"

#include "platform/atspi/AccessibilityMessage.h"
#include "platform/atspi/HelperRestartSchedule.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <glib.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using ondravell::platform::AccessibilityMessage;
using ondravell::platform::AtspiFocusedText;
using ondravell::platform::HelperRestartSchedule;

namespace {

// Runs GLib's default main context, as the program's event loop does, until `done` holds.
void runUntil(const std::function<bool()>& done) {
    while (!done())
        g_main_context_iteration(nullptr, TRUE);
}

// A stand-in helper: a shell script answering as the real one does.
fs::path scriptedHelper(const std::string& body) {
    std::string pattern = (fs::temp_directory_path() / "ondravell-helper-XXXXXX").string();
    const fs::path folder = ::mkdtemp(pattern.data());
    const fs::path script = folder / "helper";
    std::ofstream(script) << "#!/bin/sh\n" << body;
    ::chmod(script.c_str(), 0700);
    return script;
}

} // namespace

TEST(AccessibilityMessage, AnyTextTravelsInOneLineAndComesBackWhole) {
    const std::vector<std::string> fields{"replace", "two\tfields\nand lines\r\n", "back\\slash \\t 世界",
                                          ""};
    const std::string line = AccessibilityMessage::encode(fields);
    EXPECT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(AccessibilityMessage::decode(std::string_view(line).substr(0, line.size() - 1)), fields);
}

// A selection lost between answers is heard at once and takes no answer's place.
TEST(AtspiFocusedText, AnswersFromTheHelperComeInTheOrderAskedAndTheFocusAsItSaysIt) {
    const fs::path helper = scriptedHelper(R"(printf 'focus\t42\t1\torg.example.Editor\n'
while read -r line; do
  case "$line" in
    settled*) printf 'settled\t42\t1\torg.example.Editor\n' ;;
    extents*) printf 'lost\nextents\t10\t20\t30\t40\n' ;;
    replace*) case "$line" in *'new\nvalue'*) printf 'replaced\t1\n' ;; *) printf 'replaced\t0\n' ;; esac ;;
  esac
done
)");
    AtspiFocusedText focused(helper.string());
    std::vector<std::string> heard;
    focused.setSelectionLostHandler([&] { heard.push_back("lost"); });
    runUntil([&] { return focused.focus().has_value(); });
    EXPECT_EQ(focused.focus()->application, "org.example.Editor");
    EXPECT_EQ(focused.focus()->pid, 42);
    EXPECT_TRUE(focused.focus()->password);

    focused.replaceSelection("old", "new\nvalue",
                             [&](bool replaced) { heard.push_back(replaced ? "yes" : "no"); });
    focused.selectionExtents([&](std::optional<AtspiFocusedText::Rect> rect) {
        heard.push_back(rect ? std::to_string(int(rect->x + rect->y + rect->width + rect->height)) : "none");
    });
    focused.replaceSelection("old", "other",
                             [&](bool replaced) { heard.push_back(replaced ? "yes" : "no"); });
    runUntil([&] { return heard.size() == 4; });
    EXPECT_EQ(heard, (std::vector<std::string>{"yes", "lost", "100", "no"}));
    fs::remove_all(helper.parent_path());
}

TEST(AtspiFocusedText, WhatTheHelperSaidBeforeItEndedIsHeardAndLaterQuestionsGetNothing) {
    const fs::path helper =
        scriptedHelper("read -r line; printf 'settled\\n'; read -r line; printf 'extents\t1\t2\t3\t4\n'\n");
    AtspiFocusedText focused(helper.string());
    std::optional<AtspiFocusedText::Rect> rect;
    std::optional<bool> replaced;
    focused.selectionExtents([&](std::optional<AtspiFocusedText::Rect> answer) {
        rect = answer.value_or(AtspiFocusedText::Rect{});
    });
    focused.replaceSelection("a", "b", [&](bool ok) { replaced = ok; });
    runUntil([&] { return rect && replaced; });
    EXPECT_EQ(rect->x + rect->y + rect->width + rect->height, 10);
    EXPECT_FALSE(*replaced);
    fs::remove_all(helper.parent_path());
}

TEST(AtspiFocusedText, WithAHelperGoneOrMissingEveryQuestionIsAnsweredWithNothing) {
    for (const char* program : {"/bin/true", "/nonexistent/ondravell-accessibility"}) {
        SCOPED_TRACE(program);
        AtspiFocusedText focused(program);
        std::optional<bool> replaced;
        bool extentsHeard = false;
        focused.replaceSelection("a", "b", [&](bool ok) { replaced = ok; });
        focused.selectionExtents([&](std::optional<AtspiFocusedText::Rect> rect) {
            extentsHeard = true;
            EXPECT_FALSE(rect.has_value());
        });
        focused.refresh();
        runUntil([&] { return replaced.has_value() && extentsHeard; });
        EXPECT_FALSE(*replaced);
        EXPECT_FALSE(focused.focus().has_value());
    }
}

// The helper is told the process of the window with the keyboard, when the program knows it.
TEST(AtspiFocusedText, ASettledFocusIsTheHelpersAnswerOrUnknownWhenItNeverComesOrTheApplicationDidNotAnswer) {
    struct Case {
        const char* name;
        const char* script;
        std::optional<std::int64_t> windowProcess;
        bool known;
        bool password;
    };
    // Answers a password field of process 42 to a request naming that process, and nothing focused to
    // any other.
    const char* echoing = "while read -r line; do if [ \"$line\" = \"$(printf 'settled\\t42')\" ]; then "
                          "printf 'settled\\t42\\t1\\torg.example.Vault\\n'; else printf 'settled\\n'; fi; "
                          "done\n";
    const Case cases[] = {
        {"answered", "while read -r line; do printf 'settled\\t42\\t1\\torg.example.Vault\\n'; done\n",
         std::nullopt, true, true},
        {"the window's process told", echoing, 42, true, true},
        {"no window's process told", echoing, std::nullopt, true, false},
        {"an application answering late", "while read -r line; do :; done\n", std::nullopt, false, false},
        {"the application worked in not answering the helper",
         "while read -r line; do printf 'settled\\t?\\n'; done\n", std::nullopt, false, false},
        // No answer is no answer: not "nothing is focused".
        {"a helper ending before it answered", "read -r line; printf 'settled\\n'; read -r line\n",
         std::nullopt, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path helper = scriptedHelper(c.script);
        AtspiFocusedText focused(helper.string());
        focused.setFocusedWindowProcess([&c] { return c.windowProcess; });
        std::optional<bool> known;
        std::optional<AtspiFocusedText::Focus> heard;
        focused.settledFocus([&](std::optional<AtspiFocusedText::Focus> focus, bool isKnown) {
            EXPECT_FALSE(known.has_value()) << "heard twice";
            known = isKnown;
            heard = focus;
        });
        runUntil([&] { return known.has_value(); });
        EXPECT_EQ(*known, c.known);
        EXPECT_EQ(heard && heard->password, c.password);
        fs::remove_all(helper.parent_path());
    }
}

// The helper killed again and again (as often as it is restarted at once): each time the questions it
// left get nothing at once, a selection it watched counts as lost, a new helper is started and answers,
// and the one killed is reaped.
TEST(AtspiFocusedText, AKilledHelperIsReplacedAndQuestionsItLeftGetNothing) {
    // Tells the focus as its own process id; never answers extents.
    const fs::path helper = scriptedHelper(R"(while read -r line; do
  case "$line" in settled*) printf 'settled\t%s\t0\torg.example.Editor\n' $$ ;; esac
done
)");
    AtspiFocusedText focused(helper.string());
    int lost = 0;
    focused.setSelectionLostHandler([&lost] { ++lost; });
    auto answeredBy = [&focused](std::optional<int> pid) {
        return pid && focused.answers() && focused.focus() && focused.focus()->pid == *pid;
    };
    for (int round = 1; round <= HelperRestartSchedule::quickRestarts; ++round) {
        SCOPED_TRACE(round);
        const std::optional<int> pid = focused.helperPid();
        ASSERT_TRUE(pid.has_value());
        runUntil([&] { return answeredBy(pid); });
        bool extentsHeard = false;
        focused.selectionExtents([&](std::optional<AtspiFocusedText::Rect> rect) {
            extentsHeard = true;
            EXPECT_FALSE(rect.has_value());
        });
        ::kill(*pid, SIGKILL);
        runUntil([&] { return extentsHeard; });
        EXPECT_EQ(lost, round);
        runUntil([&] { return focused.helperPid() != pid && answeredBy(focused.helperPid()); });
        EXPECT_TRUE(::kill(*pid, 0) != 0 && errno == ESRCH) << "the killed helper was not reaped";
    }
    fs::remove_all(helper.parent_path());
}

// A new helper has not seen the focus events sent before it listened: its "nothing focused" leaves what
// the killed one knew, until it names a focus itself.
TEST(AtspiFocusedText, TheFocusTheKilledHelperKnewStandsUntilTheNewOneNamesOne) {
    const fs::path helper = scriptedHelper(R"(if [ -e "$0.started" ]; then
  while read -r line; do
    case "$line" in
      settled*) printf 'focus\nsettled\n' ;;
      extents*) printf 'focus\t7\t0\torg.example.Other\nextents\n' ;;
    esac
  done
else
  : >"$0.started"
  while read -r line; do printf 'settled\t42\t0\torg.example.Excluded\n'; done
fi
)");
    AtspiFocusedText focused(helper.string());
    runUntil([&] { return focused.answers(); });
    ASSERT_EQ(focused.focus().value_or(AtspiFocusedText::Focus{}).application, "org.example.Excluded");
    const std::optional<int> first = focused.helperPid();
    ::kill(*first, SIGKILL);
    runUntil([&] { return focused.helperPid() != first && focused.answers(); });
    EXPECT_EQ(focused.focus().value_or(AtspiFocusedText::Focus{}).application, "org.example.Excluded");
    bool extentsHeard = false;
    focused.selectionExtents([&](std::optional<AtspiFocusedText::Rect>) { extentsHeard = true; });
    runUntil([&] { return extentsHeard; });
    EXPECT_EQ(focused.focus().value_or(AtspiFocusedText::Focus{}).application, "org.example.Other");
    fs::remove_all(helper.parent_path());
}
