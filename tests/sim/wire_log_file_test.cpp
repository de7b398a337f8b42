// The wire log file is written as events happen, with every byte, so it is complete whenever the
// program is ended.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sim/wire_log_file.h"

namespace qx::sim {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempPath(const char* name) { return ::testing::TempDir() + name; }

TEST(WireLogFile, EachEventIsOnDiskBeforeTheNextOneWithEveryByte) {
    const std::string path = TempPath("wire_log_file_test.log");
    WireLog log;
    WireLogFile file(log, path);
    ASSERT_TRUE(file.IsOpen());

    std::vector<uint8_t> report(64);
    for (size_t i = 0; i < report.size(); ++i) report[i] = static_cast<uint8_t>(i + 1);
    log.Add(WireEvent{WireKind::Write, report, 0, 5, 64});
    // Read while the writer is still alive: nothing may wait in a buffer.
    std::string text = ReadAll(path);
    EXPECT_EQ(text, WireLogFile::Line(log.Events()[0]));
    EXPECT_NE(text.find("01 02 03"), std::string::npos);
    EXPECT_NE(text.find(" 40]"), std::string::npos) << "the 64th byte is written";
    EXPECT_EQ(text.find("..."), std::string::npos) << "no report is cut";

    log.Add(WireEvent{WireKind::Pause, {}, 30});
    text = ReadAll(path);
    EXPECT_EQ(text, WireLogFile::Line(log.Events()[0]) + WireLogFile::Line(log.Events()[1]));
    EXPECT_EQ(WireLogFile::Line(log.Events()[1]), "type0 pause 30ms\n");
}

TEST(WireLogFile, StartsEmptyAndDetachesWhenGone) {
    const std::string path = TempPath("wire_log_file_test2.log");
    {
        std::ofstream old(path);
        old << "an earlier run\n";
    }
    WireLog log;
    {
        WireLogFile file(log, path);
        ASSERT_TRUE(file.IsOpen());
        EXPECT_EQ(ReadAll(path), "");
    }
    log.Add(WireEvent{WireKind::Pause, {}, 1});  // no sink any more: must not touch a closed file
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_EQ(log.Events().size(), 1u);
}

TEST(WireLogFile, UnwritablePathKeepsTheLogInMemory) {
    WireLog log;
    WireLogFile file(log, TempPath("no-such-folder/x/wire.log"));
    EXPECT_FALSE(file.IsOpen());
    log.Add(WireEvent{WireKind::Pause, {}, 2});
    EXPECT_EQ(log.Events().size(), 1u);
}

}  // namespace
}  // namespace qx::sim
