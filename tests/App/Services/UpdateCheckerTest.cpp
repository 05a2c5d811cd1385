#include "App/Services/UpdateChecker.h"

#include "App/Services/SoftwareUpdateRowContent.h"
#include "platform/memory/MemoryUserDefaults.h"

#include <gtest/gtest.h>

using namespace ondravell;

namespace {

// A checker whose answers the test hands over when it likes.
struct Harness {
    platform::MemoryUserDefaults defaults;
    double now = 2'000'000'000;
    std::vector<std::function<void(std::optional<RemoteVersion>)>> pending;
    std::vector<std::string> toasts;
    std::vector<std::string> opened;
    UpdateChecker checker{
        {&defaults, [this] { return now; }, [this](auto done) { pending.push_back(std::move(done)); },
         [this](const std::string& message, const std::string&) { toasts.push_back(message); },
         [this](const std::string& url) { opened.push_back(url); }, nullptr}};

    void answer(std::optional<RemoteVersion> version) {
        auto done = std::move(pending.front());
        pending.erase(pending.begin());
        done(std::move(version));
    }
    SoftwareUpdateRowContent row() const { return SoftwareUpdateRowContent::of(checker); }
};

RemoteVersion version(std::string number, std::string url = "https://example.org/download") {
    return {std::move(number), std::move(url), std::nullopt};
}

} // namespace

TEST(UpdateCheckerVersions, ComparesDottedNumbersPositionByPosition) {
    struct Case {
        const char* remote;
        const char* local;
        bool newer;
    } cases[] = {
        {"1.10", "1.9", true},
        {"1.2", "1.2.0", false},
        {"1.2.1", "1.2", true},
        {"2.0", "10", false},
        {"1.x", "1.0", false},
        {"1.2beta", "0.9", true},
        {"1.2beta", "1.0", false},
        {"2", "2.0.0", false},
        {"", "0", false},
        {"1..2", "1.1", true},
        {".1.", "0.9", true},
        {"+2", "1", true},
        {"-1", "0", false},
        {"+-1", "0", false},
        {"9223372036854775807", "9223372036854775806", true},
        {"99999999999999999999", "1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(UpdateChecker::isNewer(c.remote, c.local), c.newer) << c.remote << " vs " << c.local;
}

TEST(UpdateCheckerSchedule, ChecksAutomaticallyOnlyWhenMoreThanADayHasPassed) {
    Harness h;
    h.checker.checkAutomatically();
    EXPECT_EQ(h.pending.size(), 1u);
    EXPECT_EQ(h.defaults.doubleForKey(UpdateChecker::lastCheckKey), h.now);

    for (auto [elapsed, checks] : {std::pair{86'400.0, 0u}, std::pair{86'401.0, 1u}}) {
        Harness later;
        later.defaults.setDouble(UpdateChecker::lastCheckKey, later.now - elapsed);
        later.checker.checkAutomatically();
        EXPECT_EQ(later.pending.size(), checks) << elapsed;
    }

    // A manual check counts as the day's check.
    Harness manual;
    manual.checker.check(false);
    manual.checker.checkAutomatically();
    EXPECT_EQ(manual.pending.size(), 1u);
}

TEST(UpdateCheckerSchedule, AnnouncesEachNewVersionOnceAutomatically) {
    Harness h;
    for (const char* number : {"2.0", "2.0", "2.1"}) {
        h.checker.check(true);
        h.answer(version(number));
    }
    EXPECT_EQ(h.toasts, (std::vector<std::string>{"发现新版本 2.0，可在 设置 › 通用 下载",
                                                  "发现新版本 2.1，可在 设置 › 通用 下载"}));
    EXPECT_EQ(h.defaults.stringForKey(UpdateChecker::notifiedVersionKey), "2.1");
    EXPECT_TRUE(h.row().showsDownloadButton);
}

TEST(UpdateCheckerRow, ShowsTheOutcomeOfManualChecks) {
    Harness h;
    h.checker.check(false);
    EXPECT_TRUE(h.row().isChecking);
    h.answer(version("99.0"));
    EXPECT_EQ(h.row(),
              (SoftwareUpdateRowContent{"当前版本 " + UpdateChecker::currentVersion(), "有新版本 99.0 可用",
                                        SoftwareUpdateRowContent::Tone::orange, true, false}));
    EXPECT_TRUE(h.toasts.empty());

    // A failure keeps the version found earlier, and the row keeps showing it.
    h.checker.check(false);
    h.answer(std::nullopt);
    EXPECT_EQ(h.checker.lastManualResult(), "检查失败，请稍后再试");
    EXPECT_EQ(h.row().statusLine, "有新版本 99.0 可用");

    h.checker.check(false);
    h.answer(version("0.0.1"));
    EXPECT_EQ(h.row().statusLine, "已是最新版本");
    EXPECT_FALSE(h.row().showsDownloadButton);

    h.checker.check(false);
    h.answer(std::nullopt);
    EXPECT_EQ(h.row().statusLine, "检查失败，请稍后再试");
    EXPECT_EQ(h.row().statusTone, SoftwareUpdateRowContent::Tone::secondary);
}

TEST(UpdateCheckerRow, OpensOnlyWebDownloadPages) {
    for (auto [url, opens] : {std::pair{"https://example.org/d", true}, std::pair{"HTTP://example.org", true},
                              std::pair{"file:///etc/passwd", false}, std::pair{"javascript:alert(1)", false},
                              std::pair{"https://", false}, std::pair{"ssh://host", false}}) {
        Harness h;
        h.checker.check(false);
        h.answer(version("99.0", url));
        h.checker.openDownloadPage();
        EXPECT_EQ(h.opened.size(), opens ? 1u : 0u) << url;
    }
}
