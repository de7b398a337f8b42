// Numbers in layout attributes, read the way wcstol/wcstoul read them.
#include <climits>

#include <gtest/gtest.h>

#include "resources/layout_numbers.h"

namespace qx {
namespace {

TEST(LayoutDecimal, StopsAtTheFirstNonDigit)
{
    const struct {
        const wchar_t* text;
        int value;
    } cases[] = {
        {L"", 0}, {L"0", 0}, {L"42", 42}, {L"  \t\n17", 17}, {L"+8", 8}, {L"-12", -12}, {L"12px", 12},
        {L"3.9", 3}, {L"x5", 0}, {L"- 5", 0}, {L"--5", 0}, {L"0x10", 0}, {L"007", 7},
        {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"99999999999999999999", INT_MAX},
        {L"-2147483648", INT_MIN}, {L"-2147483649", INT_MIN}, {L"\x0661", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLayoutDecimal(c.text), c.value) << c.text;
}

TEST(LayoutHex, AcceptsAnOptionalPrefix)
{
    const struct {
        const wchar_t* text;
        uint32_t value;
    } cases[] = {
        {L"", 0}, {L"0x29", 0x29}, {L"29", 0x29}, {L"0X2a", 0x2A}, {L"E7", 0xE7}, {L"  0xe0 ", 0xE0},
        {L"0x", 0}, {L"0xg", 0}, {L"x29", 0}, {L"0x1G", 1}, {L"ffffffff", 0xFFFFFFFF},
        {L"100000000", 0xFFFFFFFF}, {L"-1", 0xFFFFFFFF}, {L"-0x2", 0xFFFFFFFE}, {L"+0x10", 0x10},
        {L"0x0x5", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLayoutHex(c.text), c.value) << c.text;
}

}  // namespace
}  // namespace qx
