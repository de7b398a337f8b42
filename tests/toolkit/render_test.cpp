// Rendering: images cut into states, frames, alpha, text, gradients and shapes, probed in an
// off-screen buffer.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_image_list.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MRender;

int Red(DWORD c) { return (c >> 16) & 0xFF; }
int Green(DWORD c) { return (c >> 8) & 0xFF; }
int Blue(DWORD c) { return c & 0xFF; }

// Colour distance, ignoring alpha.
int Distance(DWORD a, DWORD b) {
    return std::abs(Red(a) - Red(b)) + std::abs(Green(a) - Green(b)) + std::abs(Blue(a) - Blue(b));
}

MATCHER_P2(NearColour, expected, tolerance, "") { return Distance(arg, expected) <= tolerance; }

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(surface.Resize(nullptr, 200, 120));
        Fill(0xFFFFFFFF);
    }
    void Fill(DWORD colour) {
        Gdiplus::Graphics g(surface.GetDC());
        g.Clear(Gdiplus::Color(colour));
    }
    DWORD At(int x, int y) {
        surface.Flush();
        return surface.GetPixel(x, y);
    }
    QxUI::OffScreenSurface surface;
};

TEST_F(RenderTest, ImageStatesAreCutFromAStrip) {
    const DWORD colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
    ASSERT_TRUE(qxtest::WriteStateStrip(L"test_states.png", 200, 40, 4, colours));
    QxUI::PaintManager manager;
    QxUI::ImgResInfo* info = manager.AddImgResInfo(L"test_states.png", 4);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->width, 50);
    EXPECT_EQ(info->height, 40);
    EXPECT_EQ(info->count, 4);
    // A second request is a cache hit, whatever count it asks for.
    EXPECT_EQ(manager.AddImgResInfo(L"test_states.png", 2), info);

    Gdiplus::Graphics g(surface.GetDC());
    for (int state = 0; state < 4; ++state)
        g.DrawImage(info->image, Gdiplus::Rect(state * 50, 0, 50, 40), state * info->width, 0, info->width,
                    info->height, Gdiplus::UnitPixel);
    for (int state = 0; state < 4; ++state) {
        EXPECT_THAT(At(state * 50 + 25, 20), NearColour(colours[state], 6)) << "state " << state;
        EXPECT_THAT(At(state * 50 + 2, 2), NearColour(colours[state], 6)) << "state " << state;
    }
}

TEST_F(RenderTest, MissingSkinImageIsNeverCached) {
    QxUI::PaintManager manager;
    EXPECT_EQ(manager.AddImgResInfo(L"no_such_image.png", 4), nullptr);
    EXPECT_EQ(manager.AddImgResInfo(L"no_such_image.png", 4), nullptr);
    EXPECT_EQ(manager.AddImgResInfo(nullptr, 4), nullptr);
}

TEST_F(RenderTest, NinePartFrameKeepsCornersAndStretchesEdges) {
    const DWORD corner = 0xFFFF0000, edge = 0xFF00C000, centre = 0xFF0000FF;
    ASSERT_TRUE(qxtest::WriteFrameImage(L"test_frame.png", 30, 10, corner, edge, centre));
    Gdiplus::Image* image = MRender::LoadImageFromFile(qxtest::TestSkinDirectory() + L"test_frame.png");
    ASSERT_NE(image, nullptr);
    {
        Gdiplus::Graphics g(surface.GetDC());
        MRender::DrawImageFrame(g, image, CRect(0, 0, 150, 80), 0, 0, 30, 30, 10);
    }
    const struct {
        int x, y;
        DWORD colour;
    } probes[] = {
        {1, 1, corner},    {8, 8, corner},   {148, 1, corner}, {141, 78, corner}, {1, 71, corner},
        {12, 2, edge},     {75, 5, edge},    {100, 8, edge},   {5, 40, edge},     {145, 40, edge},
        {75, 75, edge},    {2, 12, edge},    {75, 40, centre}, {14, 14, centre},  {100, 55, centre},
    };
    for (const auto& p : probes) EXPECT_THAT(At(p.x, p.y), NearColour(p.colour, 24)) << p.x << "," << p.y;
    EXPECT_THAT(At(170, 40), NearColour(0xFFFFFFFF, 0));  // nothing outside the destination
    delete image;
}

TEST_F(RenderTest, FrameOfTwiceTheBorderDrawsOnlyCorners) {
    // Source 60 x 60 with border 20 into 40 x 40: corners only, no edge or centre pixels.
    ASSERT_TRUE(qxtest::WriteFrameImage(L"test_frame60.png", 60, 20, 0xFFFF0000, 0xFF00C000, 0xFF0000FF));
    Gdiplus::Image* image = MRender::LoadImageFromFile(qxtest::TestSkinDirectory() + L"test_frame60.png");
    ASSERT_NE(image, nullptr);
    {
        Gdiplus::Graphics g(surface.GetDC());
        MRender::DrawImageFrame(g, image, CRect(10, 10, 50, 50), 0, 0, 60, 60, 20);
    }
    for (int y = 10; y < 50; y += 3)
        for (int x = 10; x < 50; x += 3) EXPECT_THAT(At(x, y), NearColour(0xFFFF0000, 24)) << x << "," << y;
    delete image;
}

TEST_F(RenderTest, PerPixelAlphaBlendsOverTheBackground) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"test_alpha.png", 20, 20, [](int x, int) {
        return x < 10 ? 0x80FF0000u : 0x00000000u;  // half-transparent red, then fully transparent
    }));
    Gdiplus::Image* image = MRender::LoadImageFromFile(qxtest::TestSkinDirectory() + L"test_alpha.png");
    ASSERT_NE(image, nullptr);
    Fill(0xFF0000FF);
    {
        Gdiplus::Graphics g(surface.GetDC());
        g.DrawImage(image, 0, 0, 20, 20);
    }
    EXPECT_THAT(At(5, 5), NearColour(0xFF80007F, 8));   // red over blue at ~50%
    EXPECT_THAT(At(15, 5), NearColour(0xFF0000FF, 2));  // untouched
    delete image;
}

TEST_F(RenderTest, EmbeddedResourcesOfTheToolkit) {
    HINSTANCE toolkit = QxUI::Manager::GetToolkitModule();
    ASSERT_NE(toolkit, nullptr);
    const struct {
        UINT id;
        UINT w, h;
    } images[] = {{101, 22, 20}, {102, 12, 72}};
    for (const auto& i : images) {
        Gdiplus::Image* image = MRender::LoadImageFromIDResource(i.id, L"png", toolkit);  // case-insensitive type
        ASSERT_NE(image, nullptr) << i.id;
        EXPECT_EQ(image->GetWidth(), i.w);
        EXPECT_EQ(image->GetHeight(), i.h);
        delete image;
    }
    EXPECT_EQ(MRender::LoadImageFromIDResource(103, L"PNG", toolkit), nullptr);
    QxUI::PaintManager manager;
    Gdiplus::FontFamily* font = manager.AddTempFont(L"Open Sans Semibold", 106u);
    ASSERT_NE(font, nullptr);
    wchar_t name[LF_FACESIZE] = {};
    font->GetFamilyName(name);
    EXPECT_NE(std::wstring(name).find(L"Open Sans"), std::wstring::npos) << name;
}

// Renders one string in black on white and returns the set of dark pixel positions.
class TextRenderTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        family = manager.AddTempFont(L"Arial", qxtest::TestFontPath());
        ASSERT_NE(family, nullptr) << "test font missing: " << qxtest::TestFontPath().str().size();
    }
    std::set<std::pair<int, int>> Ink(const wchar_t* text) {
        Fill(0xFFFFFFFF);
        {
            Gdiplus::Graphics g(surface.GetDC());
            g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
            Gdiplus::Font font(manager.FindTempFont(L"Arial"), 32, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
            Gdiplus::SolidBrush black(Gdiplus::Color(0xFF000000));
            g.DrawString(text, -1, &font, Gdiplus::PointF(4, 4), &black);
        }
        std::set<std::pair<int, int>> ink;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 120; ++x)
                if (Red(At(x, y)) < 100) ink.insert({x, y});
        return ink;
    }
    QxUI::PaintManager manager;
    Gdiplus::FontFamily* family = nullptr;
};

TEST_F(TextRenderTest, SkinFontIsFoundAsTheRegisteredFamily) {
    // Wine reports Windows 6.1: the first registered family is the answer for any name.
    EXPECT_EQ(manager.FindTempFont(L"Arial"), family);
    EXPECT_EQ(manager.FindTempFont(L"Some Other Face"), family);
    QxUI::PaintManager empty;
    EXPECT_EQ(empty.FindTempFont(L"No Such Face At All"), nullptr);
}

TEST_F(TextRenderTest, LatinAndChineseGlyphsAreDrawnNotBoxes) {
    // A missing glyph is drawn as the same box for every character: distinct characters
    // giving distinct ink shows that the font has them.
    const wchar_t* pairs[][2] = {{L"A", L"B"}, {L"\u4E2D", L"\u6587"}, {L"\u952E", L"\u76D8"}};
    for (auto& pair : pairs) {
        auto first = Ink(pair[0]);
        auto second = Ink(pair[1]);
        EXPECT_GT(first.size(), 40u);
        EXPECT_GT(second.size(), 40u);
        EXPECT_NE(first, second);
    }
}

TEST_F(TextRenderTest, TextBoundsFollowTheLineHeightRule) {
    Gdiplus::Font font(family, 16, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    float F = font.GetHeight(0.0f);
    Gdiplus::Size one = MRender::GetTextBounds(font, L"Profile A");
    EXPECT_EQ(one.Height, MRender::OneLineTextHeight(F));
    EXPECT_GT(one.Width, 40);
    Gdiplus::Size wider = MRender::GetTextBounds(font, L"Profile A Profile A");
    EXPECT_GT(wider.Width, one.Width + 30);
    EXPECT_EQ(MRender::OneLineTextHeight(16.0f), 17);
    EXPECT_EQ(MRender::OneLineTextHeight(16.5f), 20);
    EXPECT_EQ(MRender::WrappedTextHeight(16.0f, 30.0f), 36);  // h = 31 > f = 17
    EXPECT_EQ(MRender::WrappedTextHeight(16.0f, 10.0f), 18);  // f + 1
    Gdiplus::StringFormat format;
    Gdiplus::Size wrapped = MRender::GetTextBounds(font, format, 60, L"Profile A Profile B Profile C");
    EXPECT_LE(wrapped.Width, 60);
    EXPECT_GE(wrapped.Height, MRender::WrappedTextHeight(F, 0.0f));
}

TEST_F(RenderTest, GradientsRunFromTheFirstColourToTheSecond) {
    ASSERT_TRUE(surface.Resize(nullptr, 256, 100));
    MRender::DrawGradient(surface.GetDC(), CRect(0, 0, 256, 50), 0xFFFF0000, 0xFF0000FF, false, 64);
    MRender::DrawGradient(surface.GetDC(), CRect(0, 50, 256, 100), 0xFF000000, 0xFFFFFFFF, true, 64);
    EXPECT_THAT(At(0, 25), NearColour(0xFFFF0000, 6));
    EXPECT_THAT(At(255, 25), NearColour(0xFF0000FF, 6));
    EXPECT_THAT(At(128, 25), NearColour(0xFF800080, 12));
    EXPECT_LT(Red(At(100, 52)), Red(At(100, 75)));
    EXPECT_LT(Red(At(100, 75)), Red(At(100, 98)));
}

TEST_F(RenderTest, TranslucentGradientBlendsAtTheMeanAlpha) {
    Fill(0xFFFFFFFF);
    MRender::DrawGradient(surface.GetDC(), CRect(0, 0, 100, 50), 0x00000000, 0xFF000000, false, 8);  // mean 127
    EXPECT_THAT(At(99, 25), NearColour(0xFF808080, 8));  // black at ~50% over white
    Fill(0xFFFFFFFF);
    MRender::DrawGradient(surface.GetDC(), CRect(0, 0, 100, 50), 0x00000000, 0x00FF0000, false, 8);  // mean 0
    EXPECT_THAT(At(50, 25), NearColour(0xFFFFFFFF, 0));
}

TEST_F(RenderTest, RoundedRectangleCutsItsCorners) {
    {
        Gdiplus::Graphics g(surface.GetDC());
        MRender::DrawRoundRectange(g, 10, 10, 100, 60, 3, Gdiplus::Color(0xFF000080), 1, true,
                                   Gdiplus::Color(0xFFFF0000));
    }
    EXPECT_THAT(At(60, 40), NearColour(0xFFFF0000, 0));  // inside
    EXPECT_THAT(At(11, 11), NearColour(0xFFFFFFFF, 0));  // corner cut off (ellipse 33 x 20)
    EXPECT_THAT(At(108, 68), NearColour(0xFFFFFFFF, 0));
    EXPECT_THAT(At(60, 10), NearColour(0xFF000080, 90));  // the outline on the top edge
    EXPECT_THAT(At(20, 40), NearColour(0xFFFF0000, 0));   // straight left side is filled
}

TEST_F(RenderTest, TransitionAlphaRule) {
    EXPECT_EQ(MRender::TransitionAlpha(0, 10, 80, 80), 51);
    EXPECT_EQ(MRender::TransitionAlpha(9, 10, 80, 80), 51);
    EXPECT_EQ(MRender::TransitionAlpha(0, 100, 0, 100), 255);
    EXPECT_EQ(MRender::TransitionAlpha(99, 100, 0, 100), 2);
    EXPECT_EQ(MRender::TransitionAlpha(0, 0, 0, 0), 255);
}

TEST_F(RenderTest, VerticalTransitionFadesTheSourceRowByRow) {
    QxUI::OffScreenSurface black;
    ASSERT_TRUE(black.Resize(nullptr, 50, 100));
    {
        Gdiplus::Graphics g(black.GetDC());
        g.Clear(Gdiplus::Color(0xFF000000));
    }
    HDC dst = surface.GetDC(), src = black.GetDC();
    int last = MRender::DrawVerticalTransition(dst, src, CRect(0, 0, 50, 100), CRect(0, 0, 50, 100), 0, 100);
    EXPECT_EQ(last, 2);
    EXPECT_THAT(At(10, 0), NearColour(0xFF000000, 3));
    EXPECT_THAT(At(10, 50), NearColour(0xFF7F7F7F, 12));
    EXPECT_THAT(At(10, 99), NearColour(0xFFFDFDFD, 6));
}

TEST(RenderRulesTest, OriginPointAndAlphaColour) {
    EXPECT_EQ(MRender::GetOriginPoint(CRect(0, 0, 100, 30), 40, 10, 1, 4), CPoint(30, 12));
    EXPECT_EQ(MRender::GetOriginPoint(100, 30, 40, 10, 2, 8), CPoint(60, 20));
    EXPECT_EQ(MRender::GetOriginPoint(100, 30, 40, 10, 0, 0), CPoint(0, 0));
    DWORD black = 0xFF000000, green = 0xFF000100;
    MRender::CheckAlphaColor(black);
    MRender::CheckAlphaColor(green);
    EXPECT_EQ(black, 0xFF000001u);
    EXPECT_EQ(green, 0xFF000100u);
}

TEST_F(RenderTest, GdiAlphaFixAndClear) {
    surface.Clear(CRect(0, 0, 200, 120));
    surface.SetPixel(3, 3, 0x00102030);  // GDI-drawn pixel: colour without alpha
    surface.SetPixel(4, 3, 0x00000000);  // untouched: stays transparent
    surface.FixGdiAlpha(CRect(0, 0, 10, 10));
    EXPECT_EQ(At(3, 3), 0xFF102030u);
    EXPECT_EQ(At(4, 3), 0x00000000u);
}

TEST_F(RenderTest, SavedBitmapIsABmpFile) {
    QxUI::CString path = qxtest::TestSkinDirectory() + L"saved.bmp";
    ASSERT_TRUE(MRender::SaveBitmapToFile(surface.GetBitmap(), path));
    HANDLE file = ::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char magic[2] = {};
    DWORD read = 0;
    ::ReadFile(file, magic, 2, &read, nullptr);
    DWORD size = ::GetFileSize(file, nullptr);
    ::CloseHandle(file);
    EXPECT_EQ(magic[0], 'B');
    EXPECT_EQ(magic[1], 'M');
    EXPECT_GT(size, 200u * 120u);
    EXPECT_FALSE(MRender::SaveBitmapToFile(surface.GetBitmap(), L"Z:\\no\\such\\dir\\x.bmp"));
}

}  // namespace

namespace {

TEST(ImageListTest, EntriesAreIndexedAndDrawnByState) {
    const DWORD colours[3] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
    ASSERT_TRUE(qxtest::WriteStateStrip(L"test_icons.png", 48, 16, 3, colours));
    QxUI::CString path = qxtest::TestSkinDirectory() + L"test_icons.png";
    QxUI::MImageList list;
    EXPECT_EQ(list.AddImage(path, 7, 3), 0);
    EXPECT_EQ(list.AddImage(L"Z:\\no\\such.png", 8, 2), 1);  // kept, with sizes 0
    EXPECT_EQ(list.InsertImage(0, path, 9, 3), -1);            // inserted before entry 0
    EXPECT_EQ(list.InsertImage(5, path, 10, 3), -1);           // past the end: nothing
    EXPECT_EQ(list.InsertImage(0, nullptr, 11, 3), -1);
    EXPECT_EQ(list.GetImageCount(), 3);
    EXPECT_EQ(list.GetItemImageData(0)->id, 9);
    EXPECT_EQ(list.GetImageDataByID(7)->width, 16);
    EXPECT_EQ(list.GetImageDataByID(8)->width, 0);
    EXPECT_EQ(list.GetItemImageData(3), nullptr);
    EXPECT_EQ(list.GetImagePathByID(7), path);

    QxUI::OffScreenSurface surface;
    ASSERT_TRUE(surface.Resize(nullptr, 64, 16));
    {
        Gdiplus::Graphics g(surface.GetDC());
        list.DrawItemIcon(g, CRect(0, 0, 16, 16), 1);         // state 0
        list.DrawItemIcon(g, CRect(16, 0, 32, 16), 1, 1);     // state 1
        list.DrawItemIcon(g, CRect(32, 0, 48, 16), 1, 99);    // past the last: the last state
        list.DrawItemIcon(g, CRect(48, 0, 64, 16), 17, 0);    // bad index: nothing
    }
    surface.Flush();
    EXPECT_THAT(surface.GetPixel(8, 8), NearColour(colours[0], 6));
    EXPECT_THAT(surface.GetPixel(24, 8), NearColour(colours[1], 6));
    EXPECT_THAT(surface.GetPixel(40, 8), NearColour(colours[2], 6));
    EXPECT_EQ(surface.GetPixel(56, 8), 0u);
    EXPECT_TRUE(list.DelAllImages());
    EXPECT_EQ(list.GetImageCount(), 0);
}

}  // namespace
