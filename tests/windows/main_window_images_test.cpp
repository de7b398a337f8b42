// The images decoded ahead of the main window's first frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "windows/lighting_page_layout.h"
#include "windows/main_window_images.h"

namespace qx {
namespace {

bool Lists(const std::vector<std::wstring>& files, const std::wstring& name) {
    return std::find(files.begin(), files.end(), name) != files.end();
}

TEST(MainWindowImages, FirstFrameNamesEachImageOnceWithTheFamilysIconsAndTheLanguageButton) {
    for (int type : {0, 1, 2, 3, 5, 6}) {
        for (int language : {1033, 2052}) {
            SCOPED_TRACE(std::to_string(type) + " " + std::to_string(language));
            const std::vector<std::wstring> files = FirstFrameImages(type, language);
            EXPECT_EQ(std::set<std::wstring>(files.begin(), files.end()).size(), files.size()) << "a name twice";
            EXPECT_EQ(files.front(), image::kBackground) << "the largest image goes first";
            EXPECT_TRUE(Lists(files, LanguageButtonImage(language)));
            EXPECT_FALSE(Lists(files, LanguageButtonImage(language == 1033 ? 2052 : 1033)));
            const LightEffectFamily* family = LightEffectFamilyOf(type);
            EXPECT_EQ(Lists(files, image::kEffectRadio), family != nullptr);
            if (!family) continue;
            EXPECT_EQ(Lists(files, image::kEffectRowBackground), family->rowBackground);
            for (const LightEffectButton& b : family->buttons) EXPECT_TRUE(Lists(files, b.icon)) << b.id;
        }
    }
    EXPECT_STREQ(LanguageButtonImage(2052), L"sysbtn_lan_2052.png");
    EXPECT_STREQ(LanguageButtonImage(1033), L"sysbtn_lan_1033.png");
}

}  // namespace
}  // namespace qx
