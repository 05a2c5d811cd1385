#include "core/FileOps/MetadataFormatter.h"

#include "core/FileOps/ByteCountText.h"
#include "core/FileOps/LocalDateText.h"

#include <ctime>
#include <gtest/gtest.h>

using namespace ondravell;
using namespace std::chrono;

namespace {

// Fixes the local time zone at UTC+8 (a POSIX rule, so no zone database is needed) for one test.
class FixedTimeZone : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        ::setenv("TZ", "CST-8", 1);
        ::tzset();
    }
    void TearDown() override {
        if (old_)
            ::setenv("TZ", old_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> old_;
};

// 2024-03-05 14:07:09 at UTC+8.
const system_clock::time_point fixedInstant =
    sys_days(year(2024) / 3 / 5) + hours(6) + minutes(7) + seconds(9);

FileMetadata named(std::string name) {
    FileMetadata metadata;
    metadata.name = std::move(name);
    return metadata;
}

} // namespace

using MetadataFormatterLines = FixedTimeZone;
using LocalDateTextFormat = FixedTimeZone;

TEST_F(MetadataFormatterLines, DescribeAFolderByNameAndKind) {
    FileMetadata folder = named("Photos");
    folder.isDirectory = true;
    folder.typeIdentifier = "inode/directory";
    EXPECT_EQ(MetadataFormatter::format(folder), "名称: Photos\n类型: 文件夹");
}

TEST_F(MetadataFormatterLines, LeaveOutWhatIsAbsent) {
    EXPECT_EQ(MetadataFormatter::format(named("a.bin")), "名称: a.bin");
    FileMetadata half = named("a.png");
    half.pixelWidth = 1024;
    EXPECT_EQ(MetadataFormatter::format(half), "名称: a.png");
}

TEST_F(MetadataFormatterLines, ComeInOrderWithSizeDimensionsAndLocalDates) {
    FileMetadata image = named("a.png");
    image.typeIdentifier = "image/png";
    image.sizeBytes = 1'234'567;
    image.pixelWidth = 1024;
    image.pixelHeight = 768;
    image.created = fixedInstant;
    image.modified = fixedInstant + hours(10);
    EXPECT_EQ(MetadataFormatter::format(image), "名称: a.png\n"
                                                "类型: image/png\n"
                                                "大小: 1.2 MB (1234567 字节)\n"
                                                "尺寸: 1024 × 768\n"
                                                "创建: 2024-03-05 14:07:09\n"
                                                "修改: 2024-03-06 00:07:09");
}

TEST_F(MetadataFormatterLines, ShowAnEmptyFilesSize) {
    FileMetadata empty = named("e");
    empty.sizeBytes = 0;
    EXPECT_EQ(MetadataFormatter::format(empty), "名称: e\n大小: 0 字节 (0 字节)");
}

TEST(ByteCountTextFile, UsesDecimalUnitsWithTheirDecimals) {
    EXPECT_EQ(ByteCountText::file(999), "999 字节");
    EXPECT_EQ(ByteCountText::file(1'000), "1 KB");
    EXPECT_EQ(ByteCountText::file(1'499), "1 KB");
    EXPECT_EQ(ByteCountText::file(1'500), "2 KB");
    EXPECT_EQ(ByteCountText::file(999'499), "999 KB");
    EXPECT_EQ(ByteCountText::file(999'500), "1 MB");
    EXPECT_EQ(ByteCountText::file(12'345'678), "12.3 MB");
    EXPECT_EQ(ByteCountText::file(3'456'789'012), "3.46 GB");
    EXPECT_EQ(ByteCountText::file(2'000'000'000'000), "2 TB");
    EXPECT_EQ(ByteCountText::file(INT64_MAX), "9.22 EB");
}

TEST_F(LocalDateTextFormat, WritesGregorianDatesInTheLocalZone) {
    EXPECT_EQ(LocalDateText::date(fixedInstant), "2024-03-05");
    EXPECT_EQ(LocalDateText::dateTime(fixedInstant), "2024-03-05 14:07:09");
    EXPECT_EQ(LocalDateText::dateTime(sys_days(year(1999) / 12 / 31) + hours(16)), "2000-01-01 00:00:00");
    EXPECT_EQ(LocalDateText::date(fixedInstant + milliseconds(999)), "2024-03-05");
    EXPECT_EQ(LocalDateText::monthDayTime(fixedInstant), "03-05 14:07");
    EXPECT_EQ(LocalDateText::compactStamp(fixedInstant), "20240305-140709");
}
