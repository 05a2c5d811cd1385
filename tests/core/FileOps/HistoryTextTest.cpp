#include "core/FileOps/HistoryText.h"

#include "core/FileOps/FileOperation.h"
#include "core/FileOps/OperationHistory.h"
#include "tests/core/FileOps/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace ondravell;
using ondravell::testing::readText;
using ondravell::testing::TemporaryFolder;
using ondravell::testing::writeText;

namespace {

// Operations with every shape of item, dates with and without a fraction, and texts beyond ASCII.
std::vector<FileOperation> sampleOperations() {
    using namespace std::chrono;
    const auto date = system_clock::time_point(seconds(1700000000));
    return {
        {"A", FileOperation::Kind::copy, date, {{"/x/a.txt", "/y/a.txt"}, {"/x/b", "/y/b 2"}}, false},
        {"B",
         FileOperation::Kind::delete_,
         date + microseconds(123457),
         {{"/x/\u6587\u4ef6.txt", std::nullopt}},
         false},
        {"C", FileOperation::Kind::newFile, date + nanoseconds(1), {{std::nullopt, "/y/\U0001f600"}}, true},
        {"D", FileOperation::Kind::symlink, system_clock::time_point(seconds(978307200)), {}, false},
        {"E", FileOperation::Kind::move, date - hours(24 * 365 * 40), {{std::nullopt, std::nullopt}}, false},
    };
}

std::string dumped(const FileOperation& operation) {
    return operation.toJSON().dump();
}

} // namespace

TEST(HistoryText, ReadsTheCompactFormAsItIsWritten) {
    EXPECT_EQ(HistoryText::compactEntries("[]"), std::vector<std::string_view>{});
    std::string file = "[";
    std::vector<std::string> expected;
    for (const FileOperation& operation : sampleOperations()) {
        expected.push_back(dumped(operation));
        file += (file.size() > 1 ? "," : "") + expected.back();
    }
    file += "]";
    auto entries = HistoryText::compactEntries(file);
    ASSERT_TRUE(entries);
    EXPECT_EQ(std::vector<std::string>(entries->begin(), entries->end()), expected);
}

TEST(HistoryText, LeavesEveryOtherTextToTheFullDecoding) {
    const std::string valid =
        R"({"id":"A","items":[{"from":"/a","to":"/b"}],"kind":"copy","timestamp":1.5,"undone":false})";
    ASSERT_TRUE(HistoryText::compactEntries("[" + valid + "]"));
    const std::string others[] = {
        "",
        "[",
        "[ ]",
        "[]\n",
        "{}",
        "[" + valid + ",]",
        "[" + valid + "] ",
        "[" + valid + "," + valid,
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1,"undone":false}])",
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1.50,"undone":false}])",
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1e400,"undone":false}])",
        R"([{"id":"A","items":[],"kind":"Copy","timestamp":1.5,"undone":false}])",
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1.5,"undone":0}])",
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1.5}])",
        R"([{"id":"A","items":[],"kind":"copy","timestamp":1.5,"undone":false,"x":1}])",
        R"([{"kind":"copy","id":"A","items":[],"timestamp":1.5,"undone":false}])",
        R"([{"id":"A\"B","items":[],"kind":"copy","timestamp":1.5,"undone":false}])",
        R"([{"id":"A\u0042","items":[],"kind":"copy","timestamp":1.5,"undone":false}])",
        R"([{"id":"A","items":[{"from":"/a",}],"kind":"copy","timestamp":1.5,"undone":false}])",
        R"([{"id":"A","items":[{"to":"/b","from":"/a"}],"kind":"copy","timestamp":1.5,"undone":false}])",
        R"([{"id":"A","items":[{"from":null}],"kind":"copy","timestamp":1.5,"undone":false}])",
        "[{\"id\":\"A\tB\",\"items\":[],\"kind\":\"copy\",\"timestamp\":1.5,\"undone\":false}]",
        "[{\"id\":\"A\xff\",\"items\":[],\"kind\":\"copy\",\"timestamp\":1.5,\"undone\":false}]",
    };
    for (const std::string& text : others)
        EXPECT_FALSE(HistoryText::compactEntries(text)) << text;
}

// However the file came to be, an append writes what decoding it and writing every entry again gives.
TEST(HistoryText, AnAppendWritesTheSameWhetherTheFileWasCompactOrNot) {
    TemporaryFolder folder;
    const auto operations = sampleOperations();
    nlohmann::json array = nlohmann::json::array();
    for (const FileOperation& operation : operations)
        array.push_back(operation.toJSON());
    const FileOperation added{"F", FileOperation::Kind::clipboardToFile, {}, {{std::nullopt, "/c"}}, false};
    std::vector<std::string> results;
    for (const std::string& start : {array.dump(), array.dump(2)}) {
        OperationHistory history(folder / "operation-history.json");
        writeText(*history.fileURL(), start);
        history.append(added);
        results.push_back(readText(*history.fileURL()));
        EXPECT_EQ(history.loadAscending().back(), added);
        EXPECT_EQ(history.loadAscending().size(), operations.size() + 1);
    }
    EXPECT_EQ(results[0], results[1]);
    // An entry dated to the nanosecond, which a double does not hold exactly, is written in the
    // compact form too, and reads back as the date its plain number gives.
    OperationHistory history(folder / "operation-history.json");
    const auto date = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000) +
                                                            std::chrono::nanoseconds(123456789));
    history.append({"G", FileOperation::Kind::copy, date, {}, false});
    EXPECT_TRUE(HistoryText::compactEntries(readText(*history.fileURL())));
    EXPECT_EQ(history.loadAscending().back().timestamp, FileOperation::dateFromSecondsSinceReferenceDate(
                                                            FileOperation::secondsSinceReferenceDate(date)));
}
