#include "core/FileOps/FileOperation.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace ondravell;
using namespace std::chrono;

namespace {

FileOperation operationOf(FileOperation::Kind kind, std::vector<FileOperationItem> items,
                          bool undone = false) {
    return FileOperation{"ID", kind, system_clock::time_point(seconds(1700000000)), std::move(items), undone};
}

const nlohmann::json storedCopy = nlohmann::json::parse(R"({"id":"A1","kind":"copy","timestamp":700000000.25,
    "items":[{"from":"/x/a.txt","to":"/y/a.txt"},{"to":"/y/new"}],"undone":false})");

} // namespace

TEST(FileOperationRecord, ReadsTheStoredFormWithDatesSinceTwoThousandOne) {
    auto operation = FileOperation::fromJSON(storedCopy);
    ASSERT_TRUE(operation);
    EXPECT_EQ(operation->id, "A1");
    EXPECT_EQ(operation->kind, FileOperation::Kind::copy);
    // 2001-01-01 is 978307200 s after the Unix epoch.
    EXPECT_EQ(operation->timestamp, system_clock::time_point(milliseconds(978307200000 + 700000000250)));
    ASSERT_EQ(operation->items.size(), 2u);
    EXPECT_EQ(operation->items[0], (FileOperationItem{"/x/a.txt", "/y/a.txt"}));
    EXPECT_EQ(operation->items[1], (FileOperationItem{std::nullopt, "/y/new"}));
}

TEST(FileOperationRecord, WritesWhatItReadsAndLeavesAbsentPathsOut) {
    auto operation = FileOperation::fromJSON(storedCopy);
    ASSERT_TRUE(operation);
    EXPECT_EQ(operation->toJSON(), storedCopy);
    EXPECT_FALSE(operation->toJSON()["items"][1].contains("from"));
    EXPECT_EQ(FileOperation::fromJSON(operation->toJSON()), operation);
}

TEST(FileOperationRecord, RefusesAMissingKeyOrAnUnknownKind) {
    for (const char* key : {"id", "kind", "timestamp", "items", "undone"}) {
        nlohmann::json incomplete = storedCopy;
        incomplete.erase(key);
        EXPECT_FALSE(FileOperation::fromJSON(incomplete)) << key;
    }
    nlohmann::json unknown = storedCopy;
    unknown["kind"] = "rename";
    EXPECT_FALSE(FileOperation::fromJSON(unknown));
    nlohmann::json wrongType = storedCopy;
    wrongType["timestamp"] = "700000000";
    EXPECT_FALSE(FileOperation::fromJSON(wrongType));
}

TEST(FileOperationRecord, KeepsEveryKindsRawValue) {
    using Kind = FileOperation::Kind;
    for (Kind kind :
         {Kind::move, Kind::copy, Kind::newFile, Kind::clipboardToFile, Kind::delete_, Kind::symlink})
        EXPECT_EQ(FileOperation::kindFromRawValue(FileOperation::rawValue(kind)), kind);
    EXPECT_EQ(FileOperation::rawValue(Kind::delete_), "delete");
    EXPECT_EQ(FileOperation::rawValue(Kind::clipboardToFile), "clipboardToFile");
}

TEST(FileOperationUndoable, NeverForADeleteOrWhatIsAlreadyUndone) {
    EXPECT_FALSE(operationOf(FileOperation::Kind::delete_, {}).isUndoable());
    EXPECT_FALSE(operationOf(FileOperation::Kind::move, {}, true).isUndoable());
    EXPECT_TRUE(operationOf(FileOperation::Kind::symlink, {}).isUndoable());
}

TEST(FileOperationText, CountsItemsInTheTitlesThatCountThem) {
    FileOperationItem item{"/a", "/b"};
    EXPECT_EQ(operationOf(FileOperation::Kind::copy, {item, item, item}).title(), "复制 3 个项目");
    EXPECT_EQ(operationOf(FileOperation::Kind::delete_, {item}).title(), "彻底删除 1 个项目");
    EXPECT_EQ(operationOf(FileOperation::Kind::newFile, {item, item}).title(), "新建文件");
}

TEST(FileOperationText, DetailNamesTheFirstItemsDestinationElseItsSource) {
    EXPECT_EQ(operationOf(FileOperation::Kind::delete_, {{"/x/b.txt", std::nullopt}}).detail(), "b.txt");
    EXPECT_EQ(operationOf(FileOperation::Kind::move, {{"/x/b.txt", "/y/c.txt"}}).detail(), "c.txt");
    EXPECT_EQ(operationOf(FileOperation::Kind::move, {}).detail(), "");
}
