// The row lists' arithmetic: visible rows under a scroll position, when the bar shows, the
// insertion indexes, the wheel, the editors' and row buttons' boxes.
#include <gtest/gtest.h>

#include "toolkit/controls/list_geometry.h"

namespace {

using QxUI::CRect;

TEST(ListGeometry, VisibleRowsFollowTheScrollPosition) {
    struct Case {
        int count, rowHeight, height, position, range;
        int offset, first, last, remainder;
    };
    // 20 rows of 30 in 200 pixels: 400 content pixels are hidden at most.
    const Case cases[] = {
        {20, 30, 200, 0, 600, 0, 0, 6, 0},
        {20, 30, 200, 300, 600, 200, 6, 13, 20},
        {20, 30, 200, 600, 600, 400, 13, 19, 10},
        {20, 30, 200, 900, 600, 400, 13, 19, 10},  // a position past the range shows the end
        {20, 30, 200, -5, 600, 0, 0, 6, 0},
        {3, 30, 200, 0, 90, 0, 0, 2, 0},            // all rows fit: last is clamped to the rows
        {3, 30, 200, 90, 90, 0, 0, 2, 0},           // a bar left down by a shrunk list scrolls nothing
        {0, 30, 200, 0, 0, 0, 0, 0, 0},
        {7, 36, 200, 252, 252, 52, 1, 6, 16},
    };
    for (const Case& c : cases) {
        QxUI::ListView v = QxUI::ComputeListView(c.count, c.rowHeight, c.height, c.position, c.range);
        EXPECT_EQ(v.offset, c.offset) << c.count << " rows at " << c.position;
        EXPECT_EQ(v.first, c.first) << c.count << " rows at " << c.position;
        EXPECT_EQ(v.last, c.last) << c.count << " rows at " << c.position;
        EXPECT_EQ(v.remainder, c.remainder) << c.count << " rows at " << c.position;
    }
}

TEST(ListGeometry, BarShowsOnlyWhenRowsAreTallerThanTheList) {
    EXPECT_FALSE(QxUI::ListNeedsScrollBar(6, 30, 200));  // 180 pixels
    EXPECT_TRUE(QxUI::ListNeedsScrollBar(7, 30, 200));   // 210 pixels
    EXPECT_FALSE(QxUI::ListNeedsScrollBar(5, 40, 200));  // exactly the height
    EXPECT_FALSE(QxUI::ListNeedsScrollBar(0, 30, 0));
}

TEST(ListGeometry, InsertIndexes) {
    struct Case {
        int index, count;
        bool valid;
    };
    const Case cases[] = {{-1, 0, true}, {0, 0, false}, {0, 3, true}, {2, 3, true},
                          {3, 3, false}, {-2, 3, false}, {-1, 3, true}};
    for (const Case& c : cases)
        EXPECT_EQ(QxUI::IsInsertIndexValid(c.index, c.count) != FALSE, c.valid) << c.index << " of " << c.count;
}

TEST(ListGeometry, WheelMovesTenStepsAndStaysInRange) {
    EXPECT_EQ(QxUI::WheelScrollPosition(0, 10, 10, 1, 600), 100);
    EXPECT_EQ(QxUI::WheelScrollPosition(100, 10, 10, 0, 600), 0);
    EXPECT_EQ(QxUI::WheelScrollPosition(50, 10, 10, 0, 600), 0);
    EXPECT_EQ(QxUI::WheelScrollPosition(550, 10, 10, 1, 600), 600);
    EXPECT_EQ(QxUI::WheelScrollPosition(0, 10, 10, 1, 0), 0);
}

TEST(ListGeometry, EditorBoxes) {
    // The record list's editor: 60 wide at the row's right end, one text line high.
    EXPECT_EQ(QxUI::RecordEditorRect(CRect(10, 40, 205, 70), 30, 13), CRect(144, 47, 204, 64));
    // The list box's editor: right of the icon, height by font size.
    struct Case {
        int fontSize;
        BOOL images;
        CRect expected;
    };
    const CRect row(0, 100, 220, 136);
    const Case cases[] = {
        {8, FALSE, CRect(52, 112, 219, 124)},  {14, FALSE, CRect(52, 107, 219, 127)},
        {16, FALSE, CRect(52, 105, 219, 129)}, {13, FALSE, CRect(52, 108, 219, 127)},
        {13, TRUE, CRect(82, 108, 219, 127)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QxUI::ListBoxEditorRect(row, 36, c.fontSize, c.images), c.expected) << c.fontSize;
    EXPECT_EQ(QxUI::DefaultEditRect(CRect(10, 10, 110, 40), 13), CRect(16, 17, 104, 32));
}

TEST(ListGeometry, RowButtonBoxes) {
    // 24-pixel images on a list 300 wide with rows of 36.
    EXPECT_EQ(QxUI::RowButtonBox(300, 36, 24, 24, 10), CRect(266, 6, 290, 30));
    EXPECT_EQ(QxUI::RowButtonBox(300, 36, 24, 24, 36), CRect(240, 6, 264, 30));
    EXPECT_TRUE(QxUI::RowButtonBox(300, 36, 0, 24, 10).IsRectEmpty());
}

TEST(ListGeometry, DragImageWidth) {
    EXPECT_EQ(QxUI::RowDragWidth(60, 30), 100);
    EXPECT_EQ(QxUI::RowDragWidth(500, 30), 300);
}

}  // namespace
