// main of the toolkit tests: the toolkit needs GDI+ and OLE for the whole run.
#include <gtest/gtest.h>

#include "tests/toolkit/support/toolkit_test_environment.h"

namespace {
class ToolkitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { qxtest::InitToolkitForTests(); }
    void TearDown() override { qxtest::ShutdownToolkitForTests(); }
};
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
    return RUN_ALL_TESTS();
}
