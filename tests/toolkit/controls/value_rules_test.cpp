// The arithmetic of the scroll bars, the slider and the spin field, checked without windows.
#include "toolkit/controls/value_rules.h"

#include <gtest/gtest.h>

namespace {

using QxUI::LayoutScroll;
using QxUI::ScrollLayout;

TEST(ScrollRules, ThumbOfA300PixelBar) {
    struct Case {
        int length, maximum, position;
        int page, thumbLength, thumbTopFromStart;
    };
    const Case cases[] = {
        // 0.3 x 300 = 90 is raised to 100; at half the range the thumb is half-way down the
        // 200 free pixels.
        {300, 1000, 500, 300, 100, 100},
        {300, 1000, 0, 300, 100, 0},
        {300, 1000, 1000, 300, 100, 200},
        // A page of a tenth of the maximum: 0.1 x 300 = 30, still raised to 100.
        {300, 5000, 2500, 500, 100, 100},
        // A bar only 120 long: the thumb is the track less 50.
        {120, 1000, 0, 120, 70, 0},
        // A big page gives a proportional thumb above 100.
        {300, 400, 0, 300, 225, 0},
    };
    for (const Case& c : cases) {
        ScrollLayout s = LayoutScroll(40, 40 + c.length, 0, c.maximum, c.position, 0, FALSE, TRUE);
        SCOPED_TRACE(testing::Message() << "length " << c.length << " maximum " << c.maximum << " position "
                                        << c.position);
        EXPECT_EQ(s.page, c.page);
        EXPECT_TRUE(s.autoPage);
        EXPECT_EQ(s.thumbLength, c.thumbLength);
        EXPECT_EQ(s.thumbStart, 40 + c.thumbTopFromStart);
        EXPECT_TRUE(s.active);
        EXPECT_EQ(s.position, c.position);
    }
}

TEST(ScrollRules, PageAsLongAsTheRangeMakesTheBarInactive) {
    EXPECT_FALSE(LayoutScroll(0, 100, 0, 100, 0, 0, FALSE, TRUE).active);
    EXPECT_FALSE(LayoutScroll(0, 100, 0, 80, 0, 0, FALSE, TRUE).active);
    EXPECT_TRUE(LayoutScroll(0, 100, 0, 250, 0, 0, FALSE, TRUE).active);
    // No range at all: nothing to scroll and no division by zero.
    ScrollLayout none = LayoutScroll(0, 100, 0, 0, 5, 0, FALSE, TRUE);
    EXPECT_FALSE(none.active);
    EXPECT_EQ(none.thumbLength, 0);
}

TEST(ScrollRules, APositionPastTheMaximumIsPulledBack) {
    // The thumb would reach below the bar: it is moved up and the position follows it.
    ScrollLayout s = LayoutScroll(0, 300, 0, 1000, 1500, 0, FALSE, TRUE);
    EXPECT_EQ(s.thumbStart + s.thumbLength, 300);
    EXPECT_EQ(s.position, 1000);
}

TEST(ScrollRules, ThumbsOfTinyBarsStayInsideTheTrack) {
    for (int length : {0, 10, 40, 50, 60}) {
        int thumb = QxUI::ScrollThumbLength(length, 0, length, 1000);
        EXPECT_GE(thumb, 0) << length;
        EXPECT_LE(thumb, length) << length;
    }
}

TEST(ScrollRules, MovesStopAtTheTrackEnds) {
    // Thumb 100 long at 150 in a 0..300 track.
    EXPECT_EQ(QxUI::ScrollLimitMove(500, 150, 100, 0, 300, 0), 50);
    EXPECT_EQ(QxUI::ScrollLimitMove(-500, 150, 100, 0, 300, 0), -150);
    EXPECT_EQ(QxUI::ScrollLimitMove(10, 200, 100, 0, 300, 0), 0);
    EXPECT_EQ(QxUI::ScrollLimitMove(-10, 0, 100, 0, 300, 0), 0);
    EXPECT_EQ(QxUI::ScrollPositionAt(200, 0, 300, 0, 100, 1000), 1000);
    EXPECT_EQ(QxUI::ScrollPositionAt(100, 0, 300, 0, 100, 1000), 500);
}

TEST(SliderRules, ThumbPlaceAndValueUnderThePointer) {
    // 200 wide, thumb 16: the track is 184 pixels.
    EXPECT_EQ(QxUI::SliderThumbX(200, 16, 0, 10), 0);
    EXPECT_EQ(QxUI::SliderThumbX(200, 16, 10, 10), 184);
    EXPECT_EQ(QxUI::SliderThumbX(200, 16, 5, 10), (16 + 184 - 8) * 5 / 10 - 8);
    EXPECT_EQ(QxUI::SliderThumbX(200, 16, 3, 0), 0) << "an empty range must not divide by zero";
    EXPECT_EQ(QxUI::SliderOffsetAt(10, 10, 200, 16, 10), 0);
    EXPECT_EQ(QxUI::SliderOffsetAt(10 + 96, 10, 200, 16, 10), 5);
    EXPECT_EQ(QxUI::SliderOffsetAt(500, 10, 200, 16, 10), 10);
    EXPECT_EQ(QxUI::SliderOffsetAt(-50, 10, 200, 16, 10), 0);
}

TEST(SpinRules, TypedDigits) {
    // Range 1 ... 100, three digits: 1, 12, 123 is above the maximum so the minimum 1, then 14.
    int value = 0;
    const int expected[] = {1, 12, 1, 14};
    const int typed[] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        value = QxUI::SpinAppendDigit(value, typed[i], 3, 1, 100);
        EXPECT_EQ(value, expected[i]) << "after digit " << typed[i];
    }
    // A fourth digit starts again; below the minimum wraps to the maximum.
    EXPECT_EQ(QxUI::SpinAppendDigit(999, 5, 3, 0, 1000), 5);
    EXPECT_EQ(QxUI::SpinAppendDigit(0, 0, 3, 1, 100), 100);
    // A long limit never overflows.
    EXPECT_EQ(QxUI::SpinAppendDigit(2147483647, 9, 40, 0, 100), 0);
}

TEST(SpinRules, StepsWrapAndBackspaceDropsADigit) {
    EXPECT_EQ(QxUI::SpinStep(100, 1, 1, 100), 1);
    EXPECT_EQ(QxUI::SpinStep(1, -1, 1, 100), 100);
    EXPECT_EQ(QxUI::SpinStep(50, 1, 1, 100), 51);
    EXPECT_EQ(QxUI::SpinBackspace(123), 12);
    EXPECT_EQ(QxUI::SpinBackspace(9), 0);
}

}  // namespace
