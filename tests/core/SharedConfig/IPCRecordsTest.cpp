#include "core/SharedConfig/JsonRecord.h"
#include "core/SharedConfig/ProgressPayload.h"
#include "core/SharedConfig/ProxyActionRequest.h"
#include "core/SharedConfig/ToastPayload.h"
#include "core/SharedConfig/TransferRequest.h"

#include <gtest/gtest.h>

using namespace ondravell;

TEST(IPCRecordsRoundTrip, EveryRecordReadsBackEqual) {
    TransferRequest transfer{{"/tmp/a", "/tmp/文件 b"}, true};
    EXPECT_EQ(decodeRecord<TransferRequest>(*encodeRecord(transfer)), transfer);
    ToastPayload toast{"已复制 3 个路径", std::string(ToastPayload::successSymbol)};
    EXPECT_EQ(decodeRecord<ToastPayload>(*encodeRecord(toast)), toast);
    ProgressPayload progress{"ID-1", "正在复制", 4'000'000'000'000, 5'000'000'000'000, false};
    EXPECT_EQ(decodeRecord<ProgressPayload>(*encodeRecord(progress)), progress);
    ProxyActionRequest proxy{"transfer", {"/a"}, "/dest", {{"move", "true"}}};
    EXPECT_EQ(decodeRecord<ProxyActionRequest>(*encodeRecord(proxy)), proxy);
}

TEST(IPCRecordsProxyAction, LeavesOutAnAbsentDestinationAndReadsItBackAsAbsent) {
    ProxyActionRequest request{"hash", {"/a", "/b"}, std::nullopt, {}};
    auto text = *encodeRecord(request);
    EXPECT_EQ(text.find("destination"), std::string::npos);
    EXPECT_NE(text.find("\"extra\":{}"), std::string::npos);
    auto back = decodeRecord<ProxyActionRequest>(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->destination, std::nullopt);
    EXPECT_EQ(*back, request);
}

TEST(IPCRecordsDecoding, FailsWhenARequiredKeyIsMissingOrOfAnotherType) {
    EXPECT_FALSE(decodeRecord<ProgressPayload>(R"({"id":"x","title":"t","completed":1,"total":2})"));
    EXPECT_FALSE(
        decodeRecord<ProgressPayload>(R"({"id":"x","title":"t","completed":1.5,"total":2,"done":true})"));
    EXPECT_FALSE(decodeRecord<TransferRequest>(R"({"paths":["/a"],"move":"true"})"));
    EXPECT_FALSE(decodeRecord<TransferRequest>(R"({"paths":["/a",3],"move":true})"));
    EXPECT_FALSE(decodeRecord<ToastPayload>(R"({"message":"m","symbol":null})"));
    EXPECT_FALSE(decodeRecord<ProxyActionRequest>(R"({"action":"paste","paths":[]})"));
    EXPECT_FALSE(
        decodeRecord<ProxyActionRequest>(R"({"action":"paste","paths":[],"extra":{},"destination":1})"));
    EXPECT_FALSE(decodeRecord<ProxyActionRequest>(R"({"action":"paste","paths":[],"extra":{"move":true}})"));
    EXPECT_FALSE(decodeRecord<ToastPayload>("[]"));
    EXPECT_FALSE(decodeRecord<ToastPayload>("{\"message\":"));
}

TEST(IPCRecordsDecoding, IgnoresKeysItDoesNotKnow) {
    auto toast = decodeRecord<ToastPayload>(R"({"message":"m","symbol":"s","later":[1]})");
    EXPECT_EQ(toast, (ToastPayload{"m", "s"}));
}
