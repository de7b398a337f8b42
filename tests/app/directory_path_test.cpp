// Directory creation with missing parents, through a recording fake of the file system.
#include <gtest/gtest.h>

#include <set>

#include "app/directory_path.h"

namespace qx {
namespace {

class FakeDirectories : public DirectoryOps {
public:
    std::set<std::wstring> existing;
    std::set<std::wstring> refused;
    std::vector<std::wstring> created;   // every CreateDir call, in order

    bool IsDirectory(const std::wstring& path) override { return existing.count(path) != 0; }
    CreateDirResult CreateDir(const std::wstring& path) override {
        created.push_back(path);
        if (refused.count(path)) return CreateDirResult::Failed;
        if (!existing.insert(path).second) return CreateDirResult::AlreadyExists;
        return CreateDirResult::Created;
    }
};

TEST(EnsureDirectoryPath, CreatesMissingParentsInOrderButNeverTheDrive) {
    FakeDirectories fs;
    fs.existing = {L"C:", L"C:\\users", L"C:\\users\\me", L"C:\\users\\me\\Documents"};
    EXPECT_TRUE(EnsureDirectoryPath(L"C:\\users\\me\\Documents\\QxKB Files\\db", fs));
    EXPECT_EQ(fs.created, (std::vector<std::wstring>{L"C:\\users", L"C:\\users\\me", L"C:\\users\\me\\Documents",
                                                     L"C:\\users\\me\\Documents\\QxKB Files",
                                                     L"C:\\users\\me\\Documents\\QxKB Files\\db"}));
    EXPECT_TRUE(fs.existing.count(L"C:\\users\\me\\Documents\\QxKB Files"));
}

TEST(EnsureDirectoryPath, LeavesAnExistingDirectoryAlone) {
    FakeDirectories fs;
    fs.existing = {L"C:\\data\\db"};
    EXPECT_TRUE(EnsureDirectoryPath(L"C:\\data\\db", fs));
    EXPECT_TRUE(fs.created.empty());
}

TEST(EnsureDirectoryPath, ReportsOnlyTheLastDirectory) {
    struct Case { const wchar_t* path; std::set<std::wstring> refused; bool result; };
    const Case cases[] = {
        {L"C:\\a\\b", {L"C:\\a"}, true},        // a refused parent is ignored; the fake still makes b
        {L"C:\\a\\b", {L"C:\\a\\b"}, false},
        {L"relative", {}, true},                 // no backslash: only the path itself
        {L"", {}, false},
    };
    for (const Case& c : cases) {
        FakeDirectories fs;
        fs.refused = c.refused;
        EXPECT_EQ(EnsureDirectoryPath(c.path, fs), c.result) << std::wstring(c.path).size();
    }
}

TEST(EnsureDirectoryPath, DirectoryThatAppearedMeanwhileCountsAsSuccess) {
    FakeDirectories fs;
    fs.existing = {L"C:\\x"};
    // IsDirectory says no for the target, but CreateDir finds it already there.
    class Racing : public FakeDirectories {
        bool IsDirectory(const std::wstring&) override { return false; }
    } racing;
    racing.existing = {L"C:\\x", L"C:\\x\\y"};
    EXPECT_TRUE(EnsureDirectoryPath(L"C:\\x\\y", racing));
}

}  // namespace
}  // namespace qx
