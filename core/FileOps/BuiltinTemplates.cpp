#include "core/FileOps/FileTemplate.h"
#include "core/FileOps/OfficePackages.h"
#include "core/Support/Base64.h"

namespace ondravell {

namespace {

constexpr std::string_view xmlContent = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

constexpr std::string_view htmlContent = "<!DOCTYPE html>\n"
                                         "<html>\n"
                                         "<head>\n"
                                         "  <meta charset=\"utf-8\">\n"
                                         "  <title>{name}</title>\n"
                                         "</head>\n"
                                         "<body>\n"
                                         "</body>\n"
                                         "</html>\n";

FileTemplate text(std::string_view ext, std::string_view nameKey, std::string_view content,
                  std::string_view icon, bool executable = false) {
    return FileTemplate{std::string(ext),
                        std::string(nameKey),
                        std::string(ext),
                        std::string(content),
                        executable,
                        std::string(icon),
                        false,
                        std::nullopt};
}

FileTemplate office(std::string_view ext, std::string_view nameKey, std::string_view bytes,
                    std::string_view icon) {
    return FileTemplate{std::string(ext),
                        std::string(nameKey),
                        std::string(ext),
                        Base64::encode(bytes),
                        false,
                        std::string(icon),
                        true,
                        std::nullopt};
}

} // namespace

const std::vector<FileTemplate>& FileTemplate::builtins() {
    static const std::vector<FileTemplate> templates = {
        text("txt", "文本文件", "", "doc.text"),
        text("md", "Markdown", "# {name}\n", "doc.richtext"),
        text("rtf", "RTF 富文本", "{\\rtf1\\ansi\n}", "doc.richtext.fill"),
        text("csv", "CSV 表格", "", "tablecells"),
        text("json", "JSON", "{\n  \n}\n", "curlybraces"),
        text("xml", "XML", xmlContent, "chevron.left.forwardslash.chevron.right"),
        text("yaml", "YAML", "", "list.bullet.rectangle"),
        text("toml", "TOML", "", "list.bullet.rectangle.fill"),
        text("html", "HTML", htmlContent, "globe"),
        text("css", "CSS", "", "paintbrush"),
        text("js", "JavaScript", "", "curlybraces.square"),
        text("ts", "TypeScript", "", "curlybraces.square.fill"),
        text("py", "Python", "#!/usr/bin/env python3\n", "chevron.left.forwardslash.chevron.right", true),
        text("sh", "Shell 脚本", "#!/bin/bash\nset -euo pipefail\n", "terminal", true),
        text("swift", "Swift", "import Foundation\n", "swift"),
        text("sql", "SQL", "", "cylinder"),
        office("docx", "Word 文档", OfficePackages::docx(), "doc.text.fill"),
        office("xlsx", "Excel 表格", OfficePackages::xlsx(), "tablecells.fill"),
        office("pptx", "PowerPoint 演示文稿", OfficePackages::pptx(), "play.rectangle.fill"),
    };
    return templates;
}

} // namespace ondravell
