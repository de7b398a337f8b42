// One popup per group of callers at a time; other groups may still show theirs.
#include <gtest/gtest.h>

#include "app/main_view.h"
#include "app/message_groups.h"

namespace qx {
namespace {

TEST(MessageGroups, TextsBelongToTheirCallers) {
    EXPECT_EQ(MessageGroupOfText(kTextDeviceConnected), MessageGroup::Connection);
    EXPECT_EQ(MessageGroupOfText(kTextDeviceNotConnected), MessageGroup::Connection);
    EXPECT_EQ(MessageGroupOfText(kTextSetSuccessful), MessageGroup::KeyFunction);
    EXPECT_EQ(MessageGroupOfText(kTextPleaseConnect), MessageGroup::Window);
    EXPECT_EQ(MessageGroupOfText(kTextResetSuccessful), MessageGroup::Window);
}

TEST(MessageGroups, ASecondRequestOfAnOpenGroupIsAnsweredWithoutShowing) {
    MessageGroups groups;
    int shown = 0;
    int nestedSameGroup = -1, nestedOtherGroup = -1;
    const int result = groups.Show(MessageGroup::Window, [&] {
        ++shown;
        // While the popup runs its modal loop, more requests arrive.
        nestedSameGroup = groups.Show(MessageGroup::Window, [&] { ++shown; return 7; });
        nestedOtherGroup = groups.Show(MessageGroup::Connection, [&] { ++shown; return 9; });
        return 1;
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(nestedSameGroup, 1);
    EXPECT_EQ(nestedOtherGroup, 9);
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(groups.IsBusy(MessageGroup::Window));
    EXPECT_EQ(groups.Show(MessageGroup::Window, [] { return 4; }), 4) << "free again once closed";
}

}  // namespace
}  // namespace qx
