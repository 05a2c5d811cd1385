#include "App/Host/RequestObservers.h"

#include "App/Host/RequestHandler.h"
#include "core/SharedConfig/OndravellIPC.h"
#include "core/Support/AtomicFile.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <deque>
#include <gtest/gtest.h>

using namespace ondravell;

namespace {

struct RecordingHandler final : RequestHandler {
    std::vector<std::string> calls;
    std::optional<TransferRequest> transfer;
    std::optional<ToastPayload> toast;
    std::optional<ProgressPayload> progress;
    std::optional<ProxyActionRequest> proxy;
    std::optional<std::string> newFileDirectory;
    std::vector<std::string> deletePaths;

    void handleProxyAction(const ProxyActionRequest& r) override { proxy = r, calls.push_back("proxy"); }
    void runTransfer(const TransferRequest& r) override { transfer = r, calls.push_back("transfer"); }
    void showProgress(const ProgressPayload& p) override { progress = p, calls.push_back("progress"); }
    void showToast(const ToastPayload& p) override { toast = p, calls.push_back("toast"); }
    void showNewFileWindow(const std::string& d) override {
        newFileDirectory = d, calls.push_back("newFile");
    }
    void confirmAndDelete(const std::vector<std::string>& p) override {
        deletePaths = p, calls.push_back("delete");
    }
    void toggleFinderHidden() override { calls.push_back("toggle"); }
};

struct Fixture {
    test::TempContainer container;
    platform::MemoryNotificationCenter center;
    RecordingHandler handler;
    std::deque<std::function<void()>> laterTurns;
    RequestObservers observers{center, handler,
                               [this](std::function<void()> work) { laterTurns.push_back(std::move(work)); }};

    Fixture() { observers.registerAll(); }

    void write(std::string_view fileName, std::string_view bytes) {
        ASSERT_TRUE(writeFileAtomically(*OndravellIPC::pendingFileURL(fileName), bytes));
    }
    // Posts the notification and lets the event loop run the deferred work.
    void deliver(std::string_view notification) {
        center.post(std::string(notification));
        runLaterTurns();
    }
    void runLaterTurns() {
        while (!laterTurns.empty()) {
            auto work = std::move(laterTurns.front());
            laterTurns.pop_front();
            work();
        }
    }
};

} // namespace

TEST(RequestObserversRegistration, ObservesAllSevenRequests) {
    test::TempContainer container;
    platform::MemoryNotificationCenter center;
    RecordingHandler handler;
    RequestObservers observers(center, handler, [](std::function<void()> work) { work(); });
    EXPECT_EQ(observers.registerAll(), 7);
}

TEST(RequestObserversJson, ToastReachesHandlerOnALaterTurnOnly) {
    Fixture f;
    f.write(OndravellIPC::pendingToastName,
            R"({"message":"已复制 2 个路径","symbol":"checkmark.circle.fill"})");
    f.center.post(std::string(OndravellIPC::showToast));
    EXPECT_TRUE(f.handler.calls.empty());
    ASSERT_EQ(f.laterTurns.size(), 1u);
    f.laterTurns.front()();
    ASSERT_TRUE(f.handler.toast);
    EXPECT_EQ(f.handler.toast->message, "已复制 2 个路径");
    EXPECT_EQ(f.handler.toast->symbol, "checkmark.circle.fill");
}

TEST(RequestObserversJson, ToastSentByTheCoreSenderIsShown) {
    Fixture f;
    ASSERT_TRUE(OndravellIPC::postToast(f.center, "完成", "checkmark.circle.fill"));
    f.runLaterTurns();
    ASSERT_TRUE(f.handler.toast);
    EXPECT_EQ(f.handler.toast->message, "完成");
}

TEST(RequestObserversJson, ValidTransferIsHandedOver) {
    Fixture f;
    f.write(OndravellIPC::pendingTransferName, R"({"paths":["/tmp/a","/tmp/b c"],"move":true})");
    f.deliver(OndravellIPC::transferRequest);
    ASSERT_TRUE(f.handler.transfer);
    EXPECT_EQ(f.handler.transfer->paths, (std::vector<std::string>{"/tmp/a", "/tmp/b c"}));
    EXPECT_TRUE(f.handler.transfer->move);
}

TEST(RequestObserversJson, ProgressIsHandedOverWhole) {
    Fixture f;
    ASSERT_TRUE(OndravellIPC::postProgress(f.center, "ID-1", "正在复制", 2, 5, false));
    f.runLaterTurns();
    ASSERT_TRUE(f.handler.progress);
    EXPECT_EQ(*f.handler.progress, (ProgressPayload{"ID-1", "正在复制", 2, 5, false}));
}

TEST(RequestObserversJson, ProxyActionWithoutDestinationIsKept) {
    Fixture f;
    f.write(OndravellIPC::pendingProxyActionName, R"({"action":"paste","paths":["/tmp/a"],"extra":{}})");
    f.deliver(OndravellIPC::proxyAction);
    ASSERT_TRUE(f.handler.proxy);
    EXPECT_FALSE(f.handler.proxy->destination);
}

TEST(RequestObserversJson, MissingFileOrGarbageDoesNothingAndFileStays) {
    Fixture f;
    f.deliver(OndravellIPC::showToast);
    f.write(OndravellIPC::pendingToastName, "not json");
    f.deliver(OndravellIPC::showToast);
    EXPECT_TRUE(f.handler.calls.empty());
    EXPECT_TRUE(std::filesystem::exists(*OndravellIPC::pendingToastURL()));
}

TEST(RequestObserversJson, NoContainerDoesNothing) {
    Fixture f;
    f.container.makeUnavailable();
    f.deliver(OndravellIPC::showToast);
    EXPECT_TRUE(f.handler.calls.empty());
}

TEST(RequestObserversText, NewFileFolderIsTrimmedOfLineBreak) {
    Fixture f;
    f.write(OndravellIPC::pendingNewFileName, "/home/u/文档\n");
    f.deliver(OndravellIPC::newFile);
    EXPECT_EQ(f.handler.newFileDirectory, "/home/u/文档");
}

TEST(RequestObserversText, DeleteKeepsNonEmptyLinesInOrderUntrimmed) {
    Fixture f;
    f.write(OndravellIPC::pendingDeleteName, "/tmp/a\n\n /tmp/b\n");
    f.deliver(OndravellIPC::deleteRequest);
    EXPECT_EQ(f.handler.deletePaths, (std::vector<std::string>{"/tmp/a", " /tmp/b"}));
}

// Requests whose file is malformed or says nothing to do reach no handler.
TEST(RequestObserversMalformed, RequestsThatSayNothingValidReachNoHandler) {
    struct Case {
        std::string_view fileName, notification, bytes;
    };
    for (const Case& c : {
             Case{OndravellIPC::pendingTransferName, OndravellIPC::transferRequest,
                  R"({"paths":["/tmp/a"],"move":1})"},
             Case{OndravellIPC::pendingTransferName, OndravellIPC::transferRequest,
                  R"({"paths":["/tmp/a"]})"},
             Case{OndravellIPC::pendingProgressName, OndravellIPC::progressUpdate,
                  R"({"id":"A","title":"正在复制","completed":1,"total":5})"},
             Case{OndravellIPC::pendingProxyActionName, OndravellIPC::proxyAction,
                  R"({"action":"paste","paths":["/tmp/a"]})"},
             Case{OndravellIPC::pendingNewFileName, OndravellIPC::newFile, "  \n\t\n"},
             Case{OndravellIPC::pendingNewFileName, OndravellIPC::newFile, "/tmp/\xff\xfe"},
             Case{OndravellIPC::pendingDeleteName, OndravellIPC::deleteRequest, "\n\n"},
         }) {
        Fixture f;
        f.write(c.fileName, c.bytes);
        f.deliver(c.notification);
        EXPECT_TRUE(f.handler.calls.empty()) << c.notification << ": " << c.bytes;
    }
}

TEST(RequestObserversToggle, HiddenFileToggleRunsAtOnceWithoutFile) {
    Fixture f;
    f.center.post(std::string(OndravellIPC::toggleFinderHidden));
    EXPECT_EQ(f.handler.calls, (std::vector<std::string>{"toggle"}));
}

TEST(RequestObserversOnce, ARequestFileIsRunOnceButANewWriteRunsAgain) {
    struct Case {
        std::string_view fileName, notification, bytes, call;
        std::size_t runsForTwoReads; // toasts carry no action, so a second read shows them again
    };
    for (const Case& c : {
             Case{OndravellIPC::pendingTransferName, OndravellIPC::transferRequest,
                  R"({"paths":["/tmp/a"],"move":false})", "transfer", 1},
             Case{OndravellIPC::pendingDeleteName, OndravellIPC::deleteRequest, "/tmp/a\n", "delete", 1},
             Case{OndravellIPC::pendingNewFileName, OndravellIPC::newFile, "/tmp\n", "newFile", 1},
             Case{OndravellIPC::pendingProxyActionName, OndravellIPC::proxyAction,
                  R"({"action":"paste","paths":["/tmp/a"],"extra":{}})", "proxy", 1},
             Case{OndravellIPC::pendingToastName, OndravellIPC::showToast,
                  R"({"message":"完成","symbol":"trash"})", "toast", 2},
         }) {
        Fixture f;
        f.write(c.fileName, c.bytes);
        f.deliver(c.notification);
        f.deliver(c.notification);
        EXPECT_EQ(f.handler.calls.size(), c.runsForTwoReads) << c.call;
        f.write(c.fileName, c.bytes); // the same request sent again is a new file
        f.deliver(c.notification);
        EXPECT_EQ(f.handler.calls.size(), c.runsForTwoReads + 1) << c.call;
    }
}
