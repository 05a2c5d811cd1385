#include "core/SharedConfig/OndravellIPC.h"

#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/ProxyActionRequest.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/Support/AtomicFile.h"
#include "platform/memory/MemoryNotificationCenter.h"
#include "tests/core/SharedConfig/TempContainer.h"

#include <gtest/gtest.h>

using namespace ondravell;
using ondravell::platform::MemoryNotificationCenter;
namespace fs = std::filesystem;

TEST(OndravellIPCNames, AreTheGroupIdentifierAPointAndTheEvent) {
    EXPECT_EQ(OndravellIPC::showToast, "K3WQ9ZD7TM.dev.ondravell.showToast");
    EXPECT_EQ(OndravellIPC::toggleFinderHidden, "K3WQ9ZD7TM.dev.ondravell.toggleFinderHidden");
    EXPECT_EQ(OndravellIPC::proxyAction, "K3WQ9ZD7TM.dev.ondravell.proxyAction");
}

TEST(OndravellIPCLocations, LieInTheContainerRootAndFollowItsCurrentPlace) {
    test::TempContainer first;
    EXPECT_EQ(OndravellIPC::pendingTransferURL(), first.path / "pending-transfer.json");
    EXPECT_EQ(OndravellIPC::pendingDeleteURL(), first.path / "pending-delete.txt");
    first.makeUnavailable();
    EXPECT_EQ(OndravellIPC::pendingTransferURL(), std::nullopt);
}

TEST(OndravellIPCSenders, WriteTheRecordThenPostItsNotification) {
    test::TempContainer container;
    MemoryNotificationCenter center;
    std::optional<ProgressPayload> seenByObserver;
    center.addObserver(std::string(OndravellIPC::progressUpdate), [&] {
        auto bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingProgressName);
        seenByObserver = bytes ? decodeRecord<ProgressPayload>(*bytes) : std::nullopt;
    });
    EXPECT_TRUE(OndravellIPC::postProgress(center, "OP", "正在复制", 2, 5, false));
    EXPECT_EQ(seenByObserver, (ProgressPayload{"OP", "正在复制", 2, 5, false}));
    EXPECT_EQ(center.postedNames(), std::vector<std::string>{std::string(OndravellIPC::progressUpdate)});
}

TEST(OndravellIPCSenders, ALaterToastReplacesTheEarlierOne) {
    test::TempContainer container;
    MemoryNotificationCenter center;
    OndravellIPC::postToast(center, "一", "a");
    OndravellIPC::postToast(center, "二", "b");
    auto bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingToastName);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(decodeRecord<ToastPayload>(*bytes), (ToastPayload{"二", "b"}));
    EXPECT_EQ(center.postedNames().size(), 2u);
}

TEST(OndravellIPCSenders, PostNothingWithoutAContainer) {
    test::TempContainer container;
    container.makeUnavailable();
    MemoryNotificationCenter center;
    EXPECT_FALSE(OndravellIPC::postToast(center, "m", "s"));
    EXPECT_FALSE(OndravellIPC::postProxyAction(center, ProxyActionRequest{"paste", {}, std::nullopt, {}}));
    EXPECT_FALSE(OndravellIPC::writePendingAndPost(center, OndravellIPC::pendingNewFileName, "/tmp",
                                                   OndravellIPC::newFile));
    EXPECT_TRUE(center.postedNames().empty());
}

TEST(OndravellIPCSenders, PostNothingWhenThePendingFileCannotBeWritten) {
    // The receiver would otherwise act on the older request that still stands in the file.
    test::TempContainer container;
    MemoryNotificationCenter center;
    ProxyActionRequest older{"paste", {"/old"}, "/dest", {}};
    ASSERT_TRUE(OndravellIPC::postProxyAction(center, older));
    center.clear();
    fs::path toast = *OndravellIPC::pendingToastURL();
    fs::create_directories(toast / "blocks-the-rename");
    EXPECT_FALSE(OndravellIPC::postToast(center, "m", "s"));
    fs::remove(*OndravellIPC::pendingProxyActionURL());
    fs::create_directories(*OndravellIPC::pendingProxyActionURL() / "x");
    EXPECT_FALSE(
        OndravellIPC::postProxyAction(center, ProxyActionRequest{"hash", {"/new"}, std::nullopt, {}}));
    EXPECT_TRUE(center.postedNames().empty());
}

TEST(OndravellIPCSenders, PostNothingForTextThatIsNotUTF8) {
    test::TempContainer container;
    MemoryNotificationCenter center;
    EXPECT_FALSE(OndravellIPC::postToast(center, "bad \xff text", "s"));
    EXPECT_TRUE(center.postedNames().empty());
    EXPECT_FALSE(fs::exists(*OndravellIPC::pendingToastURL()));
}

TEST(OndravellIPCTextFiles, ADeleteRequestForOnePathHoldsThatPathAlone) {
    test::TempContainer container;
    MemoryNotificationCenter center;
    EXPECT_TRUE(OndravellIPC::writePendingAndPost(center, OndravellIPC::pendingDeleteName, "/tmp/只有一个",
                                                  OndravellIPC::deleteRequest));
    EXPECT_EQ(readRegularFile(*OndravellIPC::pendingDeleteURL()), "/tmp/只有一个");
    EXPECT_EQ(center.postedNames(), std::vector<std::string>{std::string(OndravellIPC::deleteRequest)});
}

TEST(OndravellIPCReceiving, IgnoresAProgressFileLackingDone) {
    test::TempContainer container;
    ASSERT_TRUE(writeFileAtomically(*OndravellIPC::pendingProgressURL(),
                                    R"({"id":"x","title":"t","completed":1,"total":2})"));
    auto bytes = OndravellIPC::readPendingFile(OndravellIPC::pendingProgressName);
    ASSERT_TRUE(bytes);
    EXPECT_FALSE(decodeRecord<ProgressPayload>(*bytes));
    EXPECT_FALSE(OndravellIPC::readPendingFile(OndravellIPC::pendingNewFileName));
}
