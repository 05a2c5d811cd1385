#include "App/Selection/SelectionActionRunner.h"

#include "App/Selection/ResultTextView.h"
#include "App/Selection/SelectionResultWindow.h"
#include "App/Selection/TranslateView.h"
#include "platform/TaskQueue.h"
#include "platform/WindowFocus.h"
#include "platform/memory/ManualOneShotTimers.h"
#include "platform/memory/MemoryFocusedText.h"
#include "platform/memory/MemoryKeySynthesizer.h"
#include "platform/memory/MemoryPasteboard.h"
#include "platform/qt/TranslateShellTranslator.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QThread>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

using namespace ondravell;
using Kind = SelectionAction::Kind;
namespace fs = std::filesystem;

namespace {

// Keeps every task until the test lets the queue run, so that a test can act while a result is being
// worked out.
class HeldTaskQueue final : public platform::TaskQueue {
public:
    void runInBackground(Task task) override { tasks_.push_back(std::move(task)); }
    void runInSequence(Task task) override { tasks_.push_back(std::move(task)); }
    void runOnMain(Task task) override { tasks_.push_back(std::move(task)); }
    void drain() {
        while (!tasks_.empty()) {
            Task task = std::move(tasks_.front());
            tasks_.erase(tasks_.begin());
            task();
        }
    }

private:
    std::vector<Task> tasks_;
};

class SelectionActionRunnerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "SelectionActionRunnerTest";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override { SelectionResultWindow::shared().close(); }

    SelectionActionRunner::Services services() {
        SelectionActionRunner::Services services;
        services.pasteboard = &pasteboard;
        services.queue = &queue;
        return services;
    }
    // The texts of the panel's labels while it is shown.
    static QStringList shownTexts() {
        // New content in a shown panel appears once the event loop has run.
        QCoreApplication::processEvents();
        QStringList texts;
        if (!SelectionResultWindow::shared().isVisible())
            return texts;
        for (const QLabel* label : SelectionResultWindow::shared().panel()->findChildren<QLabel*>())
            if (label->isVisibleTo(SelectionResultWindow::shared().panel()))
                texts << label->text();
        return texts;
    }

    static inline QApplication* app_ = nullptr;
    platform::MemoryPasteboard pasteboard;
    HeldTaskQueue queue;
};

} // namespace

TEST_F(SelectionActionRunnerTest, WorkedOutResultsShowOnlyWhileStillWanted) {
    SelectionActionRunner runner(services());
    runner.prepareViews();
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible()) << "views are readied out of sight";

    runner.run(Kind::caseConvert, "hello world", QPointF(300, 300));
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible()) << "the transform runs on the worker";
    queue.drain();
    EXPECT_TRUE(shownTexts().contains("命名转换"));
    EXPECT_TRUE(shownTexts().contains("helloWorld"));

    // A later action wins over one still being worked out.
    runner.run(Kind::caseConvert, "first one", QPointF(300, 300));
    runner.run(Kind::encode, "a b", QPointF(300, 300));
    queue.drain();
    EXPECT_TRUE(shownTexts().contains("编码/解码"));
    EXPECT_FALSE(shownTexts().contains("firstOne"));

    runner.run(Kind::jsonTool, "[1]", QPointF(300, 300));
    runner.run(Kind::copyText, "copied", QPointF(300, 300));
    queue.drain();
    EXPECT_EQ(pasteboard.string(), "copied");
    EXPECT_FALSE(shownTexts().contains("JSON 格式化"));

    // A result that replaces a shown one gets a panel of its own size.
    runner.run(Kind::calculate, "1+2", QPointF(300, 300));
    queue.drain();
    const int oneRow = SelectionResultWindow::shared().panel()->height();
    runner.run(Kind::wordCount, "a b c", QPointF(300, 300));
    queue.drain();
    EXPECT_GT(SelectionResultWindow::shared().panel()->height(), oneRow);
    EXPECT_TRUE(shownTexts().contains("字数统计"));

    // The panel closed while the result was worked out: the user has moved on.
    runner.run(Kind::wordCount, "a b c", QPointF(300, 300));
    SelectionResultWindow::shared().close();
    queue.drain();
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
}

// A long result, and a long translation when it comes in.
TEST_F(SelectionActionRunnerTest, ALongTextIsWholeOnceScrolledThrough) {
    std::string content;
    for (int i = 0; content.size() < 300000; ++i)
        content += "line " + std::to_string(i) + " 你好 😀\n";
    const std::function<QWidget*()> views[] = {
        [&] { return new ResultTextView(content, std::nullopt, {}); },
        [&] {
            auto* view = new TranslateView("hello", "正在翻译…");
            view->showTranslated(content);
            return view;
        },
    };
    for (const auto& make : views) {
        std::unique_ptr<QWidget> view(make());
        auto* text = view->findChild<QPlainTextEdit*>();
        ASSERT_NE(text, nullptr);
        view->show();
        EXPECT_LT(text->document()->characterCount(), 100000) << "only a first piece is laid out at once";
        for (int scrolled = 0;
             scrolled < 100 && text->toPlainText().size() < QString::fromStdString(content).size();
             ++scrolled)
            text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
        EXPECT_EQ(text->toPlainText().toStdString(), content);
    }
}

namespace {

bool processGone(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    // A zombie that no parent reaps any more has ended all the same.
    const std::size_t state = line.rfind(')') + 2;
    return state < line.size() && line[state] == 'Z';
}

template <typename Condition> bool waitFor(Condition condition) {
    QDeadlineTimer deadline(10000);
    while (!condition() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    return condition();
}

// A "trans" on the PATH that reads the text from its standard input, answers "快" for "quick" and the
// length of a text over a megabyte, and otherwise starts a long sleep in the background, writing its
// own and the sleep's process ids to a file, one line per run. `interpreter` names the program that
// runs it.
class FakeTranslateShell {
public:
    explicit FakeTranslateShell(const std::string& interpreter = "/bin/sh") {
        fs::create_directories(folder_);
        const fs::path script = folder_ / "trans";
        std::ofstream(script) << "#!" << interpreter
                              << "\n"
                                 "text=$(cat)\n"
                                 "if [ \"$text\" = quick ]; then echo 快; exit 0; fi\n"
                                 "if [ ${#text} -gt 1000000 ]; then echo \"${#text}\"; exit 0; fi\n"
                                 "sleep 120 &\n"
                                 "echo \"$$ $!\" >> '"
                              << pids_.string() << "'\nwait\n";
        fs::permissions(script, fs::perms::owner_all);
        oldPath_ = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(folder_.string()) + ":" + oldPath_);
    }
    ~FakeTranslateShell() {
        qputenv("PATH", oldPath_);
        fs::remove_all(folder_);
    }
    // The process ids of the `run`th run (from 1), once it has started.
    std::vector<std::string> pids(std::size_t run) const {
        std::ifstream file(pids_);
        std::string line;
        for (std::size_t i = 0; i < run; ++i)
            if (!std::getline(file, line))
                return {};
        std::istringstream words(line);
        std::vector<std::string> ids;
        for (std::string id; words >> id;)
            ids.push_back(id);
        return ids;
    }

private:
    fs::path folder_ = fs::temp_directory_path() / ("ondravell-fake-trans-" + std::to_string(::getpid()));
    fs::path pids_ = folder_ / "pids";
    QByteArray oldPath_;
};

} // namespace

TEST_F(SelectionActionRunnerTest, ATranslationStopsWithEverythingItStartedWhenThePanelChangesOrCloses) {
    FakeTranslateShell trans;
    platform::TranslateShellTranslator translator;
    SelectionActionRunner::Services withTranslator = services();
    withTranslator.translator = &translator;
    SelectionActionRunner runner(withTranslator);

    runner.run(Kind::translate, "quick", QPointF(300, 300));
    EXPECT_TRUE(waitFor([] { return shownTexts().contains("快"); }));

    const std::function<void()> leaveThePanel[] = {
        [&] {
            runner.run(Kind::wordCount, "a b", QPointF(300, 300));
            queue.drain();
        },
        [] { SelectionResultWindow::shared().close(); },
    };
    std::size_t run = 0;
    for (const auto& leave : leaveThePanel) {
        ++run;
        runner.run(Kind::translate, "slow", QPointF(300, 300));
        ASSERT_TRUE(waitFor([&] { return trans.pids(run).size() == 2; })) << run;
        const std::vector<std::string> pids = trans.pids(run);
        EXPECT_FALSE(processGone(pids[0]));
        EXPECT_FALSE(processGone(pids[1]));
        leave();
        EXPECT_TRUE(waitFor([&] { return processGone(pids[0]) && processGone(pids[1]); })) << run;
    }
}

// A selection too long to be a program's argument is translated all the same; a program that is there
// but cannot be started is a failed translation, not a missing program.
TEST_F(SelectionActionRunnerTest, ATranslationTakesALongSelectionAndReportsAFailureAsOne) {
    const struct {
        const char* interpreter;
        std::string text;
        QString shown;
    } cases[] = {
        {"/bin/sh", std::string(5'000'000, 'x'), QStringLiteral("5000000")},
        {"/nonexistent/interpreter", "quick", QStringLiteral("翻译失败")},
    };
    for (const auto& c : cases) {
        FakeTranslateShell trans(c.interpreter);
        platform::TranslateShellTranslator translator;
        SelectionActionRunner::Services withTranslator = services();
        withTranslator.translator = &translator;
        SelectionActionRunner runner(withTranslator);
        runner.run(Kind::translate, c.text, QPointF(300, 300));
        EXPECT_TRUE(waitFor([&] { return shownTexts().contains(c.shown); }))
            << c.interpreter << ": " << shownTexts().join("|").left(200).toStdString();
    }
}

TEST_F(SelectionActionRunnerTest, ASlowResultShowsABusyLineUntilItIsIn) {
    platform::ManualOneShotTimers timers;
    SelectionActionRunner::Services timed = services();
    timed.timers = &timers;
    SelectionActionRunner runner(timed);
    using std::chrono::milliseconds;

    runner.run(Kind::jsonTool, "[1]", QPointF(300, 300));
    timers.advance(SelectionActionRunner::busyDelay - milliseconds(1));
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
    timers.advance(milliseconds(1));
    EXPECT_TRUE(shownTexts().contains("正在处理…"));
    EXPECT_TRUE(shownTexts().contains("JSON"));
    queue.drain();
    EXPECT_TRUE(shownTexts().contains("JSON 格式化"));
    EXPECT_FALSE(shownTexts().contains("正在处理…"));

    // A quick result leaves no busy line behind.
    runner.run(Kind::wordCount, "a b", QPointF(300, 300));
    queue.drain();
    timers.advance(SelectionActionRunner::busyDelay);
    EXPECT_TRUE(shownTexts().contains("字数统计"));
    EXPECT_FALSE(shownTexts().contains("正在处理…"));

    // A slow result that is nothing takes its busy line away; so does an action that replaces it.
    runner.run(Kind::calculate, "1 +", QPointF(300, 300));
    timers.advance(SelectionActionRunner::busyDelay);
    EXPECT_TRUE(shownTexts().contains("正在处理…"));
    queue.drain();
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
    runner.run(Kind::caseConvert, "a b", QPointF(300, 300));
    timers.advance(SelectionActionRunner::busyDelay);
    EXPECT_TRUE(shownTexts().contains("正在处理…"));
    runner.run(Kind::copyText, "copied", QPointF(300, 300));
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
    queue.drain();
    EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
}

TEST_F(SelectionActionRunnerTest, ReplaceGoesThroughTheEditableTextElseThePasteOrAToastAskingForIt) {
    struct FixedFocus final : platform::WindowFocus {
        std::optional<Window> focused() override { return 7; }
        void focus(Window) override {}
    } windowFocus;
    struct Case {
        const char* name;
        bool editable;
        bool keysReach;
        std::string field; // the field's selection afterwards
        bool pasted;       // Ctrl+V pressed
        bool toasted;      // asked to paste by hand
    };
    const Case cases[] = {
        {"editable field", true, false, "HELLO", false, false},
        {"not editable, X11 window", false, true, "hello", true, false},
        {"not editable, Wayland window", false, false, "hello", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::MemoryFocusedText text;
        text.editable = c.editable;
        text.selection = "hello";
        platform::MemoryKeySynthesizer keys;
        std::vector<std::string> toasts;
        SelectionActionRunner::Services s = services();
        s.focusedText = &text;
        s.keys = &keys;
        s.focus = &windowFocus;
        s.keysReachFocusedWindow = [&c] { return c.keysReach; };
        s.toast = [&toasts](const std::string& message, const std::string&) { toasts.push_back(message); };
        SelectionActionRunner runner(s);
        runner.run(Kind::caseConvert, "hello", QPointF(300, 300));
        queue.drain();
        runner.replace("HELLO");
        EXPECT_FALSE(SelectionResultWindow::shared().isVisible());
        EXPECT_EQ(text.selection, c.field);
        EXPECT_EQ(pasteboard.string() == "HELLO", !c.editable) << "the clipboard is written only to paste";
        if (c.pasted) {
            QDeadlineTimer readiness(5000);
            while (keys.sent.empty() && !readiness.hasExpired())
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        EXPECT_EQ(keys.sent.size(), c.pasted ? 1u : 0u);
        EXPECT_EQ(toasts, c.toasted ? std::vector<std::string>{"已复制，请按 Ctrl+V 粘贴"}
                                    : std::vector<std::string>{});
        pasteboard.writeString("");
    }
}
