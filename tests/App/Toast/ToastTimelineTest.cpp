#include "App/Toast/ToastTimeline.h"

#include "platform/memory/ManualOneShotTimers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace ondravell;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

namespace {

// Records what the timeline asks of the panel, with the fake clock's time.
class RecordingSurface final : public ToastSurface {
public:
    explicit RecordingSurface(platform::ManualOneShotTimers& clock) : clock_(clock) {}

    struct Call {
        milliseconds at;
        std::string what;
        bool operator==(const Call&) const = default;
    };

    void setContent(const ToastContent& content) override {
        shown = content;
        record(content.kind == ToastContent::Kind::toast ? "content " + content.message
                                                         : "content " + content.title + " " + content.detail);
    }
    void showOpaque() override {
        onScreen = true;
        record("opaque");
    }
    void fadeIn(milliseconds) override {
        onScreen = true;
        record("fadeIn");
    }
    void fadeOut(milliseconds) override { record("fadeOut"); }
    void orderOut() override {
        onScreen = false;
        record("orderOut");
    }

    // When the panel was ordered out, or nullopt.
    std::optional<milliseconds> orderedOutAt() const {
        for (const auto& call : calls)
            if (call.what == "orderOut")
                return call.at;
        return std::nullopt;
    }
    std::optional<milliseconds> firstFadeOutAt() const {
        for (const auto& call : calls)
            if (call.what == "fadeOut")
                return call.at;
        return std::nullopt;
    }

    std::vector<Call> calls;
    ToastContent shown;
    bool onScreen = false;

private:
    void record(std::string what) { calls.push_back({clock_.now(), std::move(what)}); }
    platform::ManualOneShotTimers& clock_;
};

struct Fixture {
    platform::ManualOneShotTimers clock;
    RecordingSurface surface{clock};
    ToastTimeline timeline{surface, clock};
};

} // namespace

TEST(ToastTimelineToast, FadesInThenHidesAfterOnePointSevenSeconds) {
    Fixture f;
    f.timeline.show("已复制", "checkmark.circle.fill");
    EXPECT_EQ(f.surface.calls.front().what, "content 已复制");
    EXPECT_EQ(f.surface.calls.at(1).what, "fadeIn");
    f.clock.advanceTo(1699ms);
    EXPECT_FALSE(f.surface.firstFadeOutAt());
    f.clock.advanceTo(5s);
    EXPECT_EQ(f.surface.firstFadeOutAt(), 1700ms);
    EXPECT_EQ(f.surface.orderedOutAt(), 2000ms);
    EXPECT_EQ(f.timeline.phase(), ToastTimeline::Phase::orderedOut);
}

TEST(ToastTimelineToast, SecondToastOneSecondLaterReplacesInPlaceAndHidesAtTwoPointSeven) {
    Fixture f;
    f.timeline.show("第一条", "checkmark.circle.fill");
    f.clock.advanceTo(1s);
    f.timeline.show("第二条", "checkmark.circle.fill");
    EXPECT_EQ(f.surface.calls.back(), (RecordingSurface::Call{1s, "opaque"})); // no second fade-in
    EXPECT_EQ(f.surface.shown.message, "第二条");
    f.clock.advanceTo(10s);
    EXPECT_EQ(f.surface.firstFadeOutAt(), 2700ms);
    EXPECT_EQ(f.surface.orderedOutAt(), 3000ms);
}

TEST(ToastTimelineToast, PresentationDuringFadeOutStopsTheFadeAndKeepsTheNewToast) {
    Fixture f;
    f.timeline.show("第一条", "checkmark.circle.fill");
    f.clock.advanceTo(1800ms); // 0.1 s into the fade-out
    ASSERT_EQ(f.timeline.phase(), ToastTimeline::Phase::fadingOut);
    f.timeline.show("第二条", "checkmark.circle.fill");
    f.clock.advanceTo(2100ms); // the old fade-out would have ordered the panel out here
    EXPECT_TRUE(f.surface.onScreen);
    EXPECT_FALSE(f.surface.orderedOutAt());
    f.clock.advanceTo(10s);
    EXPECT_EQ(f.surface.orderedOutAt(), 1800ms + 1700ms + 300ms);
}

TEST(ToastTimelineProgress, FinishedTransferFollowedByOutcomeToastKeepsTheToastFullTime) {
    Fixture f;
    f.timeline.showProgress("正在移动", 1, 3, false);
    f.clock.advanceTo(500ms);
    f.timeline.showProgress("正在移动", 3, 3, true); // fades out
    f.clock.advanceTo(600ms);
    f.timeline.show("已移动 3 个项目", "checkmark.circle.fill");
    f.clock.advanceTo(600ms + 1699ms);
    EXPECT_TRUE(f.surface.onScreen);
    EXPECT_EQ(f.surface.shown.message, "已移动 3 个项目");
    f.clock.advanceTo(20s);
    EXPECT_EQ(f.surface.orderedOutAt(), 600ms + 1700ms + 300ms);
}

TEST(ToastTimelineProgress, StalledProgressHidesAfterEightSeconds) {
    Fixture f;
    f.timeline.showProgress("正在计算", 1, 5, false);
    f.clock.advanceTo(2s);
    f.timeline.showProgress("正在计算", 2, 5, false); // restarts the timeout
    f.clock.advanceTo(9999ms);
    EXPECT_FALSE(f.surface.firstFadeOutAt());
    f.clock.advanceTo(20s);
    EXPECT_EQ(f.surface.firstFadeOutAt(), 10s);
    EXPECT_EQ(f.surface.orderedOutAt(), 10300ms);
}

TEST(ToastTimelineProgress, UpdatesShowCountsAndFractionInPlace) {
    Fixture f;
    f.timeline.showProgress("正在复制", 1, 5, false);
    EXPECT_EQ(f.surface.shown.detail, "1/5");
    EXPECT_DOUBLE_EQ(f.surface.shown.fraction, 0.2);
    f.timeline.showProgress("正在复制", 2, 5, false);
    EXPECT_EQ(f.surface.shown.detail, "2/5");
    EXPECT_DOUBLE_EQ(f.surface.shown.fraction, 0.4);
    EXPECT_EQ(f.surface.calls.back().what, "opaque");
}

TEST(ToastTimelineProgress, CompletedEqualToTotalCountsAsFinished) {
    Fixture f;
    f.timeline.showProgress("正在复制", 1, 5, false);
    f.timeline.showProgress("正在复制", 5, 5, false);
    EXPECT_EQ(f.timeline.phase(), ToastTimeline::Phase::fadingOut);
    EXPECT_EQ(f.surface.shown.detail, "1/5"); // the finished step is not drawn
    f.clock.advanceTo(300ms);
    EXPECT_FALSE(f.surface.onScreen);
}

TEST(ToastTimelineProgress, DoneFadesOutAToastToo) {
    Fixture f;
    f.timeline.show("已复制", "checkmark.circle.fill");
    f.clock.advanceTo(200ms);
    f.timeline.showProgress("", 0, 0, true);
    EXPECT_EQ(f.surface.firstFadeOutAt(), 200ms);
    f.clock.advanceTo(10s);
    EXPECT_EQ(f.surface.orderedOutAt(), 500ms);
}

TEST(ToastTimelineProgress, ZeroOfZeroShowsEmptyBarAndStaysEightSeconds) {
    Fixture f;
    f.timeline.showProgress("正在准备", 0, 0, false);
    EXPECT_EQ(f.surface.shown.detail, "0/0");
    EXPECT_DOUBLE_EQ(f.surface.shown.fraction, 0.0);
    f.clock.advanceTo(7999ms);
    EXPECT_TRUE(f.surface.onScreen);
    f.clock.advanceTo(20s);
    EXPECT_EQ(f.surface.firstFadeOutAt(), 8s);
}

TEST(ToastTimelineProgress, FinishedStepWithoutPanelDoesNothing) {
    Fixture f;
    f.timeline.showProgress("正在复制", 3, 3, true);
    EXPECT_TRUE(f.surface.calls.empty());
    EXPECT_EQ(f.timeline.phase(), ToastTimeline::Phase::absent);
}

TEST(ToastTimelineProgress, LeftoverTimeoutAfterFinishChangesNothing) {
    Fixture f;
    f.timeline.showProgress("正在复制", 1, 3, false);
    f.timeline.showProgress("正在复制", 3, 3, true);
    f.clock.advanceTo(20s);
    EXPECT_EQ(f.surface.calls.back(), (RecordingSurface::Call{300ms, "orderOut"}));
}

TEST(ToastTimelineAfterHide, NextPresentationFadesInAgain) {
    Fixture f;
    f.timeline.show("一", "checkmark.circle.fill");
    f.clock.advanceTo(5s);
    f.timeline.show("二", "checkmark.circle.fill");
    EXPECT_EQ(f.surface.calls.back(), (RecordingSurface::Call{5s, "fadeIn"}));
}
