// The conversion tables, checked against independently written copies of the key lists: every
// range member, every listed code, and every unlisted code in a wide band around them.
#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/key_codes.h"

namespace qx {
namespace {

struct Range {
    uint32_t first, last, firstResult;
};
struct Pair {
    uint32_t input, result;
};

// Every code from 0 to kScanEnd is compared, so each range's neighbours and every gap are
// covered, as are codes that alias a listed one in their low byte (0x141, 0x2A2, ...).
constexpr uint32_t kScanEnd = 0x400;

std::map<uint32_t, uint32_t> Expand(const std::vector<Range>& ranges, const std::vector<Pair>& singles)
{
    std::map<uint32_t, uint32_t> out;
    for (const Range& r : ranges)
        for (uint32_t c = r.first; c <= r.last; ++c) out[c] = r.firstResult + (c - r.first);
    for (const Pair& p : singles) {
        EXPECT_EQ(out.count(p.input), 0u) << "listed twice: " << p.input;
        out[p.input] = p.result;
    }
    return out;
}

const std::vector<Range> kVkRanges = {
    {0x41, 0x5A, 0x04}, {0x31, 0x39, 0x1E}, {0x70, 0x7B, 0x3A},
    {0x7C, 0x87, 0x68}, {0x61, 0x69, 0x59}, {0x88, 0x8B, 0x88},
};
const std::vector<Pair> kVkSingles = {
    {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x13, 0x48}, {0x14, 0x39}, {0x1B, 0x29},
    {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A}, {0x25, 0x50},
    {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49}, {0x2E, 0x4C},
    {0x30, 0x27}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0xE2, 0x64}, {0xFE, 0xAF},
    {301, 0xEC}, {302, 0xEB}, {666, 0x32},
    {0x60, 0x62}, {0x6A, 0x55}, {0x6B, 0x57}, {0x6C, 0x58}, {0x6D, 0x56}, {0x6E, 0x63},
    {0x6F, 0x54}, {0x90, 0x53}, {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5}, {0xA2, 0xE0},
    {0xA3, 0xE4}, {0xA4, 0xE2}, {0xA5, 0xE6}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36},
    {0xBD, 0x2D}, {0xBE, 0x37}, {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31},
    {0xDD, 0x30}, {0xDE, 0x34},
};

TEST(VkToHidUsage, EveryCodeMatchesTheKeyList)
{
    const auto expected = Expand(kVkRanges, kVkSingles);
    ASSERT_EQ(expected.size(), 26u + 9 + 12 + 12 + 9 + 4 + kVkSingles.size());
    for (uint32_t vk = 0; vk < kScanEnd; ++vk) {
        auto it = expected.find(vk);
        EXPECT_EQ(VkToHidUsage(vk), it == expected.end() ? 0u : it->second) << "vk 0x" << std::hex << vk;
    }
}

TEST(VkToHidUsage, NamedKeysAndHighCodes)
{
    EXPECT_EQ(VkToHidUsage(0x41), 0x04);   // A
    EXPECT_EQ(VkToHidUsage(0x5A), 0x1D);   // Z
    EXPECT_EQ(VkToHidUsage(0x30), 0x27);   // 0 comes after 9 among the usages
    EXPECT_EQ(VkToHidUsage(0x7B), 0x45);   // F12
    EXPECT_EQ(VkToHidUsage(0x87), 0x73);   // F24
    EXPECT_EQ(VkToHidUsage(666), 0x32);
    for (uint32_t generic : {0x10u, 0x11u, 0x12u}) EXPECT_EQ(VkToHidUsage(generic), 0) << generic;
    // Only the full value selects a key, never its low byte.
    for (uint32_t vk : {0x10041u, 0x1000000Du, 0xFFFFFFFFu, 0x80000041u}) EXPECT_EQ(VkToHidUsage(vk), 0) << vk;
}

TEST(ModifierUsageToBit, ModifiersBecomeBitsOthersPassThrough)
{
    const uint32_t bits[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    for (uint32_t u = 0; u < kScanEnd; ++u) {
        const uint32_t expected = (u >= 0xE0 && u <= 0xE7) ? bits[u - 0xE0] : u;
        EXPECT_EQ(ModifierUsageToBit(u), expected) << "usage 0x" << std::hex << u;
    }
    EXPECT_EQ(ModifierUsageToBit(0xE5), 0x20u);
    EXPECT_EQ(ModifierUsageToBit(0x04), 0x04u);
    for (uint32_t u : {0x1E0u, 0x100E7u, 0xFFFFFFFFu}) EXPECT_EQ(ModifierUsageToBit(u), u);
}

const std::vector<Range> kType2Ranges = {{0x04, 0x1D, 0x0B}, {0x1E, 0x26, 0x26}};
const std::vector<Pair> kType2Singles = {
    {0x27, 0x25}, {0x28, 0x56}, {0x29, 0x40}, {0x2A, 0x50}, {0x2B, 0x5A}, {0x2C, 0x63},
    {0x2D, 0x4E}, {0x2E, 0x4F}, {0x2F, 0x51}, {0x30, 0x52},
    {0x31, 0x53}, {0x33, 0x54}, {0x34, 0x55}, {0x36, 0x57}, {0x37, 0x58}, {0x38, 0x59},
    {0x39, 0x5B}, {0x65, 0x62},
    {0xAF, 0x71}, {0xE0, 0x5E}, {0xE1, 0x5C}, {0xE2, 0x60}, {0xE3, 0x61}, {0xE4, 0x5F},
    {0xE5, 0x5D}, {0xE6, 0x73},
};

TEST(HidUsageToType2KeyPosition, EveryUsageMatchesTheKeyList)
{
    const auto expected = Expand(kType2Ranges, kType2Singles);
    ASSERT_EQ(expected.size(), 61u);   // the keyboard's 61 keys
    std::map<uint32_t, uint32_t> positionsSeen;
    for (uint32_t u = 0; u < kScanEnd; ++u) {
        auto it = expected.find(u);
        const uint8_t got = HidUsageToType2KeyPosition(u);
        EXPECT_EQ(got, it == expected.end() ? 0u : it->second) << "usage 0x" << std::hex << u;
        if (got != 0) ++positionsSeen[got];
    }
    for (const auto& [position, count] : positionsSeen) EXPECT_EQ(count, 1u) << "position used twice: " << position;
}

TEST(HidUsageToType2KeyPosition, NamedKeys)
{
    EXPECT_EQ(HidUsageToType2KeyPosition(0x04), 0x0B);
    EXPECT_EQ(HidUsageToType2KeyPosition(0x27), 0x25);
    EXPECT_EQ(HidUsageToType2KeyPosition(0x3A), 0);   // no F1 key of its own
    EXPECT_EQ(HidUsageToType2KeyPosition(0x35), 0);
    EXPECT_EQ(HidUsageToType2KeyPosition(0xE7), 0);
    EXPECT_EQ(HidUsageToType2KeyPosition(0x104), 0);
    EXPECT_EQ(HidUsageToType2KeyPosition(0xFFFFFFFFu), 0);
}

// The factory table as it is documented: one text row per eight slots.
const char* const kDefaultRows[] = {
    "20 00 29 | 20 00 3A | 20 00 3B | 20 00 3C | 20 00 3D | 20 00 3E | 20 00 3F | 20 00 40",
    "20 00 41 | 20 00 42 | 20 00 43 | 20 00 44 | 20 00 45 | 20 00 4C | 30 CD 00 | 20 00 35",
    "20 00 1E | 20 00 1F | 20 00 20 | 20 00 21 | 20 00 22 | 20 00 23 | 20 00 24 | 20 00 25",
    "20 00 26 | 20 00 27 | 20 00 2D | 20 00 2E | 20 00 2A | 20 00 49 | 20 00 2B | 20 00 14",
    "20 00 1A | 20 00 08 | 20 00 15 | 20 00 17 | 20 00 1C | 20 00 18 | 20 00 0C | 20 00 12",
    "20 00 13 | 20 00 2F | 20 00 30 | 20 00 31 | 20 00 4D | 20 00 39 | 20 00 04 | 20 00 16",
    "20 00 07 | 20 00 09 | 20 00 0A | 20 00 0B | 20 00 0D | 20 00 0E | 20 00 0F | 20 00 33",
    "20 00 34 | 20 00 32 | 20 00 28 | 20 00 4B | 20 02 00 | 20 00 64 | 20 00 1D | 20 00 1B",
    "20 00 06 | 20 00 19 | 20 00 05 | 20 00 11 | 20 00 10 | 20 00 36 | 20 00 37 | 20 00 38",
    "20 20 00 | 20 00 52 | 20 00 4E | 20 01 00 | 20 08 00 | 20 04 00 | 20 00 00 | 20 00 00",
    "20 00 00 | 20 00 2C | 20 00 00 | 20 00 00 | 20 40 00 | A0 01 00 | 20 10 00 | 20 00 50",
    "20 00 51 | 20 00 4F | 20 00 53 | 20 00 54 | 20 00 55 | 20 00 56 | 20 00 5F | 20 00 60",
    "20 00 61 | 20 00 5C | 20 00 5D | 20 00 5E | 20 00 57 | 20 00 5A | 20 00 5B | 20 00 62",
    "20 00 63 | 20 20 22 | 20 00 00 | 20 00 00 | 20 00 00 | 20 00 00 | 20 00 00 | 20 00 00",
    "20 00 00 | 20 00 00 | 20 00 00 | 20 00 00 | 20 00 00 | 20 00 00 | A0 30 00 | A0 31 00",
    "00 00 00 | 00 00 00 | 00 00 00 | 00 00 00 | 00 00 00 | 00 00 00 | 00 00 00 | 00 00 00",
    "00 00 20 | 00 00 20 | 00 00 00",
};

std::vector<KeyEntry> ParseRows()
{
    std::vector<KeyEntry> out;
    for (const char* row : kDefaultRows) {
        std::istringstream in(row);
        std::string token;
        KeyEntry entry{};
        int filled = 0;
        while (in >> token) {
            if (token == "|") continue;
            entry[filled++] = static_cast<uint8_t>(std::stoul(token, nullptr, 16));
            if (filled == kKeyEntrySize) {
                out.push_back(entry);
                filled = 0;
            }
        }
    }
    return out;
}

std::string Hex(const KeyEntry& e)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02X %02X %02X", e[0], e[1], e[2]);
    return buf;
}

TEST(DefaultKeyEntry, EverySlotMatchesTheFactoryTable)
{
    const auto expected = ParseRows();
    ASSERT_EQ(expected.size(), static_cast<size_t>(kDefaultKeySlots));
    for (int k = 0; k < kDefaultKeySlots; ++k)
        EXPECT_EQ(Hex(DefaultKeyEntry(k)), Hex(expected[k])) << "slot 0x" << std::hex << k;
}

TEST(DefaultKeyEntry, NamedSlotsAndOutsideSlots)
{
    EXPECT_EQ(Hex(DefaultKeyEntry(0x0E)), "30 CD 00");   // play/pause
    EXPECT_EQ(Hex(DefaultKeyEntry(0x55)), "A0 01 00");
    EXPECT_EQ(Hex(DefaultKeyEntry(0x82)), "00 00 00");
    EXPECT_EQ(Hex(DefaultKeyEntry(0x00)), "20 00 29");   // Esc
    for (int k : {-1, -1000, kDefaultKeySlots, 0x100, 1 << 30}) EXPECT_EQ(Hex(DefaultKeyEntry(k)), "00 00 00") << k;
}

TEST(DefaultKeyEntry, KindsAreTheDocumentedOnes)
{
    for (int k = 0; k < kDefaultKeySlots; ++k) {
        const uint8_t kind = DefaultKeyEntry(k)[0];
        EXPECT_TRUE(kind == kKeyEntryNone || kind == kKeyEntryKeyboard || kind == kKeyEntryConsumer ||
                    kind == kKeyEntryInternal)
            << "slot " << k;
    }
}

}  // namespace
}  // namespace qx
