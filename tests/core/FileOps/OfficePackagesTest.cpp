#include "core/FileOps/OfficePackages.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>

using namespace ondravell;

namespace {

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t little(std::string_view bytes, std::size_t at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    return value;
}

// Reads a ZIP archive of stored members through its central directory, checking every member's local
// header and CRC-32 as an unzip tool would. nullopt when anything does not hold.
std::optional<std::map<std::string, std::string>> unzipStored(std::string_view zip) {
    if (zip.size() < 22)
        return std::nullopt;
    const std::size_t end = zip.size() - 22;
    if (little(zip, end, 4) != 0x06054b50)
        return std::nullopt;
    const std::uint32_t count = little(zip, end + 10, 2);
    std::size_t entry = little(zip, end + 16, 4);
    std::map<std::string, std::string> members;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (little(zip, entry, 4) != 0x02014b50 || little(zip, entry + 10, 2) != 0)
            return std::nullopt;
        const std::uint32_t crc = little(zip, entry + 16, 4);
        const std::uint32_t size = little(zip, entry + 20, 4);
        const std::uint32_t nameLength = little(zip, entry + 28, 2);
        const std::size_t local = little(zip, entry + 42, 4);
        const std::string name(zip.substr(entry + 46, nameLength));
        if (little(zip, local, 4) != 0x04034b50 || zip.substr(local + 30, nameLength) != name)
            return std::nullopt;
        const std::size_t data = local + 30 + little(zip, local + 26, 2) + little(zip, local + 28, 2);
        const std::string contents(zip.substr(data, size));
        if (contents.size() != size || crc32(contents) != crc)
            return std::nullopt;
        members[name] = contents;
        entry += 46 + nameLength + little(zip, entry + 30, 2) + little(zip, entry + 32, 2);
    }
    return members;
}

void expectParts(const std::map<std::string, std::string>& members,
                 std::initializer_list<const char*> parts) {
    for (const char* part : parts)
        EXPECT_TRUE(members.contains(part)) << part;
    for (const auto& [name, contents] : members)
        EXPECT_TRUE(contents.starts_with("<?xml")) << name;
}

} // namespace

TEST(OfficePackages, WordDocumentHoldsOneEmptyParagraph) {
    auto members = unzipStored(OfficePackages::docx());
    ASSERT_TRUE(members);
    expectParts(*members, {"[Content_Types].xml", "_rels/.rels", "word/document.xml"});
    EXPECT_NE(members->at("word/document.xml").find("<w:body><w:p/></w:body>"), std::string::npos);
    EXPECT_NE(members->at("_rels/.rels").find("Target=\"word/document.xml\""), std::string::npos);
    EXPECT_NE(members->at("[Content_Types].xml").find("wordprocessingml.document.main+xml"),
              std::string::npos);
}

TEST(OfficePackages, WorkbookHoldsOneEmptySheetCalledSheet1) {
    auto members = unzipStored(OfficePackages::xlsx());
    ASSERT_TRUE(members);
    expectParts(*members, {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                           "xl/_rels/workbook.xml.rels", "xl/worksheets/sheet1.xml"});
    EXPECT_NE(members->at("xl/workbook.xml").find("name=\"Sheet1\""), std::string::npos);
    EXPECT_NE(members->at("xl/worksheets/sheet1.xml").find("<sheetData/>"), std::string::npos);
}

TEST(OfficePackages, PresentationHoldsOneEmpty4By3Slide) {
    auto members = unzipStored(OfficePackages::pptx());
    ASSERT_TRUE(members);
    expectParts(*members,
                {"[Content_Types].xml", "_rels/.rels", "ppt/presentation.xml",
                 "ppt/_rels/presentation.xml.rels", "ppt/slideMasters/slideMaster1.xml",
                 "ppt/slideMasters/_rels/slideMaster1.xml.rels", "ppt/slideLayouts/slideLayout1.xml",
                 "ppt/slideLayouts/_rels/slideLayout1.xml.rels", "ppt/slides/slide1.xml",
                 "ppt/slides/_rels/slide1.xml.rels", "ppt/theme/theme1.xml"});
    const std::string& presentation = members->at("ppt/presentation.xml");
    EXPECT_NE(presentation.find("<p:sldSz cx=\"9144000\" cy=\"6858000\" type=\"screen4x3\"/>"),
              std::string::npos);
    EXPECT_NE(presentation.find("<p:notesSz cx=\"6858000\" cy=\"9144000\"/>"), std::string::npos);
}
