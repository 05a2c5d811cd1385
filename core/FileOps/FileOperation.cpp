#include "core/FileOps/FileOperation.h"

#include "core/SharedConfig/ODLocalized.h"
#include "core/Support/PathRules.h"
#include "core/Support/StrictJson.h"

#include <array>
#include <cmath>

namespace ondravell {

namespace {

// Dates in the history are seconds since 2001-01-01 00:00:00 UTC, which is this many seconds after the
// Unix epoch.
constexpr double referenceDateSinceUnixEpoch = 978307200.0;

constexpr std::array<std::string_view, 6> kindRawValues{"move",   "copy",   "newFile", "clipboardToFile",
                                                        "delete", "symlink"};

std::optional<FileOperationItem> itemFromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    FileOperationItem item{reader.optionalString("from"), reader.optionalString("to")};
    if (!reader.ok())
        return std::nullopt;
    return item;
}

} // namespace

double FileOperation::secondsSinceReferenceDate(std::chrono::system_clock::time_point date) {
    using namespace std::chrono;
    // Split off the whole seconds first so that the fraction keeps its precision in the double.
    auto sinceEpoch = date.time_since_epoch();
    auto whole = duration_cast<seconds>(sinceEpoch);
    double fraction = duration<double>(sinceEpoch - whole).count();
    return (static_cast<double>(whole.count()) - referenceDateSinceUnixEpoch) + fraction;
}

std::optional<std::chrono::system_clock::time_point>
FileOperation::dateFromSecondsSinceReferenceDate(double interval) {
    using namespace std::chrono;
    double sinceEpoch = interval + referenceDateSinceUnixEpoch;
    // Outside about +-292 years the clock's nanosecond count overflows.
    if (!std::isfinite(sinceEpoch) || std::fabs(sinceEpoch) > 9.0e9)
        return std::nullopt;
    double whole = std::floor(sinceEpoch);
    auto nanos = static_cast<std::int64_t>(std::llround((sinceEpoch - whole) * 1e9));
    return system_clock::time_point(duration_cast<system_clock::duration>(
        seconds(static_cast<std::int64_t>(whole)) + nanoseconds(nanos)));
}

std::string FileOperation::title() const {
    const auto count = static_cast<std::int64_t>(items.size());
    switch (kind) {
    case Kind::move:
        return ODLocalized("移动 %lld 个项目", count);
    case Kind::copy:
        return ODLocalized("复制 %lld 个项目", count);
    case Kind::delete_:
        return ODLocalized("彻底删除 %lld 个项目", count);
    case Kind::newFile:
        return ODLocalized("新建文件");
    case Kind::clipboardToFile:
        return ODLocalized("剪贴板转文件");
    case Kind::symlink:
        return ODLocalized("创建符号链接");
    }
    return std::string();
}

std::string FileOperation::detail() const {
    if (items.empty())
        return std::string();
    const FileOperationItem& first = items.front();
    if (first.to)
        return PathRules::lastPathComponent(*first.to);
    if (first.from)
        return PathRules::lastPathComponent(*first.from);
    return std::string();
}

std::string_view FileOperation::rawValue(Kind kind) {
    return kindRawValues[static_cast<std::size_t>(kind)];
}

std::optional<FileOperation::Kind> FileOperation::kindFromRawValue(std::string_view rawValue) {
    for (std::size_t i = 0; i < kindRawValues.size(); ++i)
        if (kindRawValues[i] == rawValue)
            return static_cast<Kind>(i);
    return std::nullopt;
}

nlohmann::json FileOperation::toJSON() const {
    nlohmann::json itemList = nlohmann::json::array();
    for (const FileOperationItem& item : items) {
        nlohmann::json entry = nlohmann::json::object();
        if (item.from)
            entry["from"] = *item.from;
        if (item.to)
            entry["to"] = *item.to;
        itemList.push_back(std::move(entry));
    }
    return nlohmann::json{{"id", id},
                          {"kind", rawValue(kind)},
                          {"timestamp", secondsSinceReferenceDate(timestamp)},
                          {"items", std::move(itemList)},
                          {"undone", undone}};
}

std::optional<FileOperation> FileOperation::fromJSON(const nlohmann::json& value) {
    ObjectReader reader(value);
    auto id = reader.requiredString("id");
    auto kindText = reader.requiredString("kind");
    auto interval = reader.optionalDouble("timestamp");
    auto items = reader.optionalArray("items", itemFromJSON);
    auto undone = reader.requiredBool("undone");
    if (!reader.ok() || !interval || !items)
        return std::nullopt;
    auto kind = kindFromRawValue(*kindText);
    auto timestamp = dateFromSecondsSinceReferenceDate(*interval);
    if (!kind || !timestamp)
        return std::nullopt;
    return FileOperation{std::move(*id), *kind, *timestamp, std::move(*items), *undone};
}

} // namespace ondravell
