#include "App/Toast/ToastFade.h"

#include <gtest/gtest.h>

using namespace ondravell;
using std::chrono::milliseconds;

TEST(ToastFade, StepsEvenlyOneFrameAtATimeToTheEndValue) {
    struct Case {
        double from, to;
        milliseconds duration;
        std::size_t frames;
    };
    const Case cases[] = {
        {0.0, 1.0, milliseconds(150), 10}, // fade-in
        {1.0, 0.0, milliseconds(300), 19}, // fade-out
        {0.4, 0.0, milliseconds(300), 19}, // a fade-out that starts half way in
        {0.0, 1.0, milliseconds(0), 1},
    };
    for (const Case& c : cases) {
        std::vector<double> steps = ToastFade::steps(c.from, c.to, c.duration);
        ASSERT_EQ(steps.size(), c.frames) << c.duration.count();
        EXPECT_EQ(steps.back(), c.to);
        double previous = c.from;
        for (double step : steps) {
            EXPECT_NE(step, previous);
            EXPECT_EQ(step > previous, c.to > c.from);
            previous = step;
        }
    }
}
