// Decoding of constructed raw-input records with a fake key-name source.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "resources/raw_input_decoder.h"
#include "tests/rawinput/fake_key_names.h"

namespace qx {
namespace {

using test::FakeKeyNames;

constexpr unsigned kWmKeyDown = 256, kWmKeyUp = 257, kWmChar = 258, kWmSysKeyDown = 260, kWmSysKeyUp = 261;

RawInputRecord Key(unsigned virtualKey, unsigned message = kWmKeyDown)
{
    RawInputRecord record;
    record.type = kRawTypeKeyboard;
    record.virtualKey = virtualKey;
    record.keyMessage = message;
    return record;
}

RawInputRecord Mouse(unsigned buttonFlags)
{
    RawInputRecord record;
    record.type = kRawTypeMouse;
    record.mouseButtonFlags = buttonFlags;
    return record;
}

// An event left over from an earlier decode, to show which fields a decode writes.
RawInputEvent Stale()
{
    return RawInputEvent{99, 1, 42, L"stale"};
}

RawInputEvent Decode(const RawInputRecord& record, RawInputEvent event = Stale())
{
    FakeKeyNames names;
    DecodeRawInputRecord(record, names, event);
    return event;
}

// ---- mouse ----

struct ButtonCase {
    unsigned flag;
    const wchar_t* name;
    int code;
    int released;
};

// In priority order.
constexpr ButtonCase kButtons[] = {
    {0x0001, L"mouse_left", 1, 0},    {0x0010, L"mouse_middle", 2, 0}, {0x0004, L"mouse_right", 3, 0},
    {0x0002, L"mouse_left", 1, 1},    {0x0020, L"mouse_middle", 2, 1}, {0x0008, L"mouse_right", 3, 1},
    {0x0040, L"mouse_button4", 7, 0}, {0x0080, L"mouse_button4", 8, 1},
    {0x0100, L"mouse_button5", 7, 0}, {0x0200, L"mouse_button5", 8, 1},
};

TEST(RawInputMouse, EachButtonChange)
{
    for (const ButtonCase& button : kButtons) {
        const RawInputEvent event = Decode(Mouse(button.flag));
        EXPECT_EQ(event.kind, kRawKindMouse) << button.flag;
        EXPECT_EQ(event.name, button.name) << button.flag;
        EXPECT_EQ(event.code, button.code) << button.flag;
        EXPECT_EQ(event.released, button.released) << button.flag;
    }
}

TEST(RawInputMouse, LeftPressWithRightReleaseReportsOnlyThePress)
{
    const RawInputEvent event = Decode(Mouse(0x0001 | 0x0008));
    EXPECT_EQ(event.name, L"mouse_left");
    EXPECT_EQ(event.code, 1);
    EXPECT_EQ(event.released, 0);
}

TEST(RawInputMouse, EarlierChangeInPriorityOrderWinsForEveryPair)
{
    constexpr size_t n = std::size(kButtons);
    for (size_t first = 0; first < n; ++first) {
        for (size_t later = first + 1; later < n; ++later) {
            // Wheel and movement bits alongside change nothing.
            const RawInputEvent event = Decode(Mouse(kButtons[first].flag | kButtons[later].flag | 0x0400));
            EXPECT_EQ(event.name, kButtons[first].name) << first << "," << later;
            EXPECT_EQ(event.code, kButtons[first].code) << first << "," << later;
            EXPECT_EQ(event.released, kButtons[first].released) << first << "," << later;
        }
    }
}

TEST(RawInputMouse, WheelAndMovementGiveAnEmptyNameAndKeepTheCode)
{
    for (unsigned flags : {0x0000u, 0x0400u, 0x0800u, 0x0400u | 0x0800u, 0xFC00u}) {
        const RawInputEvent event = Decode(Mouse(flags));
        EXPECT_EQ(event.kind, kRawKindMouse) << flags;
        EXPECT_EQ(event.name, L"") << flags;
        EXPECT_EQ(event.released, 0) << flags;
        EXPECT_EQ(event.code, Stale().code) << flags;
    }
}

TEST(RawInputMouse, AsksNoKeyNames)
{
    FakeKeyNames names;
    RawInputEvent event;
    DecodeRawInputRecord(Mouse(0x0001), names, event);
    EXPECT_TRUE(names.scanQueries.empty());
    EXPECT_TRUE(names.nameQueries.empty());
}

// ---- keyboard ----

TEST(RawInputKeyboard, MessageGivesTheDirection)
{
    const struct {
        unsigned message;
        int released;
    } cases[] = {{kWmKeyDown, 0}, {kWmSysKeyDown, 0}, {kWmKeyUp, 1}, {kWmSysKeyUp, 1}, {kWmChar, 0}, {0, 0}, {0xFFFFFFFFu, 0}};
    for (const auto& c : cases) {
        const RawInputEvent event = Decode(Key('A', c.message));
        EXPECT_EQ(event.kind, kRawKindKeyboard) << c.message;
        EXPECT_EQ(event.released, c.released) << c.message;
        EXPECT_EQ(event.code, 'A') << c.message;
        EXPECT_EQ(event.name, L"A") << c.message;
    }
}

TEST(RawInputKeyboard, NameComesFromTheScanCodeInBits16To23)
{
    FakeKeyNames names;
    RawInputEvent event;
    DecodeRawInputRecord(Key('A'), names, event);
    ASSERT_EQ(names.scanQueries, std::vector<unsigned>{'A'});
    ASSERT_EQ(names.nameQueries.size(), 1u);
    EXPECT_EQ(names.nameQueries[0], 0x1E << 16);
    EXPECT_EQ(event.name, L"A");
}

TEST(RawInputKeyboard, RightShiftReportedAsGenericShiftBecomesLeftShift)
{
    const RawInputEvent pressed = Decode(Key(16, kWmKeyDown));
    EXPECT_EQ(pressed.code, 160);
    EXPECT_EQ(pressed.name, L"Shift");
    EXPECT_EQ(pressed.released, 0);
    const RawInputEvent released = Decode(Key(16, kWmKeyUp));
    EXPECT_EQ(released.code, 160);
    EXPECT_EQ(released.name, L"Shift");
    EXPECT_EQ(released.released, 1);
}

TEST(RawInputKeyboard, ReplacementTable)
{
    const struct {
        unsigned code;
        int newCode;
        const wchar_t* name;
    } replacements[] = {
        {16, 160, L"Shift"},        {17, 162, L"Ctrl"},      {18, 164, L"Alt"},
        {19, 19, L"Pause"},         {44, 44, L"Print Screen"}, {91, 91, L"Windows"},
        {92, 92, L"RWindows"},      {93, 93, L"Application"}, {144, 144, L"Num Lock"},
        {160, 160, L"Shift"},       {161, 161, L"RShift"},   {162, 162, L"Ctrl"},
        {163, 163, L"RCtrl"},       {164, 164, L"Alt"},      {165, 165, L"RAlt"},
    };
    for (const auto& r : replacements) {
        for (unsigned message : {kWmKeyDown, kWmKeyUp}) {
            const RawInputEvent event = Decode(Key(r.code, message));
            EXPECT_EQ(event.kind, kRawKindKeyboard) << r.code;
            EXPECT_EQ(event.code, r.newCode) << r.code;
            EXPECT_EQ(event.name, r.name) << r.code;
            EXPECT_EQ(event.released, message == kWmKeyUp ? 1 : 0) << r.code;
        }
    }
}

TEST(RawInputKeyboard, NavigationKeysAreNamedThroughExtendedScanCodes)
{
    const struct {
        unsigned virtualKey;
        unsigned scanCode;
        const wchar_t* name;
    } keys[] = {
        {33, 0x49, L"Page Up"}, {34, 0x51, L"Page Down"}, {35, 0x4F, L"End"},   {36, 0x47, L"Home"},
        {37, 0x4B, L"Left"},    {38, 0x48, L"Up"},        {39, 0x4D, L"Right"}, {40, 0x50, L"Down"},
        {45, 0x52, L"Insert"},  {46, 0x53, L"Delete"},
    };
    for (const auto& key : keys) {
        FakeKeyNames names;
        RawInputEvent event;
        DecodeRawInputRecord(Key(key.virtualKey), names, event);
        ASSERT_EQ(names.nameQueries.size(), 1u) << key.virtualKey;
        EXPECT_EQ(static_cast<uint32_t>(names.nameQueries[0]), FakeKeyNames::Param(key.scanCode, true)) << key.virtualKey;
        EXPECT_EQ(event.name, key.name) << key.virtualKey;
        EXPECT_EQ(event.code, static_cast<int>(key.virtualKey));
    }
}

TEST(RawInputKeyboard, KeypadKeysWithTheSameScanCodesStayKeypadKeys)
{
    EXPECT_EQ(Decode(Key(103)).name, L"Num 7");
    EXPECT_EQ(Decode(Key(97)).name, L"Num 1");
}

TEST(RawInputKeyboard, KeyWithoutNameGivesEmptyName)
{
    // 0xE8 has no scan code in the fake layout, like an unassigned virtual key.
    const RawInputEvent event = Decode(Key(0xE8));
    EXPECT_EQ(event.kind, kRawKindKeyboard);
    EXPECT_EQ(event.code, 0xE8);
    EXPECT_EQ(event.name, L"");
}

TEST(RawInputKeyboard, LargeVirtualKeysAndScanCodesStayInTheirBits)
{
    class WideScan : public FakeKeyNames {
    public:
        unsigned ScanCodeOf(unsigned) override { return 0xFFFFFFFFu; }
    } names;
    RawInputEvent event;
    DecodeRawInputRecord(Key(0xFFFF), names, event);
    ASSERT_EQ(names.nameQueries.size(), 1u);
    EXPECT_EQ(static_cast<uint32_t>(names.nameQueries[0]), 0x01FF0000u);
    EXPECT_EQ(event.code, 0xFFFF);
}

// ---- other devices ----

TEST(RawInputOther, HidAndUnknownTypesGiveKindThreeWithEmptyName)
{
    for (unsigned type : {kRawTypeHid, 3u, 0xFFFFFFFFu}) {
        RawInputRecord record;
        record.type = type;
        record.mouseButtonFlags = 0x0001;
        record.virtualKey = 'A';
        const RawInputEvent event = Decode(record);
        EXPECT_EQ(event.kind, kRawKindOther) << type;
        EXPECT_EQ(event.name, L"") << type;
    }
}

}  // namespace
}  // namespace qx
