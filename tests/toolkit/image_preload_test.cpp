// Images decoded ahead on a thread of their own: each handed over once, with the pixels a decode
// on the spot gives, whatever order the window asks for them in.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/image_preload.h"
#include "toolkit/core/m_render.h"

namespace {

using QxUI::CString;
using QxUI::MRender;

// Premultiplied BGRA rows of an image as the loader keeps it.
std::vector<DWORD> Pixels(Gdiplus::Image* image) {
    std::vector<DWORD> pixels;
    auto* bitmap = static_cast<Gdiplus::Bitmap*>(image);
    if (!bitmap) return pixels;
    const UINT w = bitmap->GetWidth(), h = bitmap->GetHeight();
    Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data = {};
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) return pixels;
    for (UINT y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        pixels.insert(pixels.end(), row, row + w);
    }
    bitmap->UnlockBits(&data);
    return pixels;
}

// Every alpha from 0 to 255 over a colour that differs per image, so a mixed-up hand-over shows.
CString WriteGradient(int index) {
    const CString name = CString(L"preload_") + std::to_wstring(index).c_str() + L".png";
    const DWORD colour = 0x00102030u + static_cast<DWORD>(index) * 0x00070B0Du;
    EXPECT_TRUE(qxtest::WriteSkinPng(name, 64, 4 + index, [colour](int x, int y) {
        return (static_cast<DWORD>((x + 64 * y) & 0xFF) << 24) | colour;
    }));
    return name;
}

TEST(ImagePreloadTest, EachImageIsHandedOverOnceWithTheSameFreshPixelsInAnyOrder) {
    std::vector<CString> files;
    for (int i = 0; i < 12; ++i) files.push_back(WriteGradient(i));
    files.push_back(L"preload_missing.png");
    const CString skin = qxtest::TestSkinDirectory();
    std::vector<std::vector<DWORD>> expected;
    for (const CString& f : files) {
        std::unique_ptr<Gdiplus::Image> fresh(MRender::DecodeImageFile(skin + f));
        expected.push_back(Pixels(fresh.get()));
    }
    ASSERT_TRUE(expected.back().empty()) << "the missing file decodes to nothing";

    // The last first (most likely not reached by the thread yet), then the first (most likely
    // being decoded or done), then the rest; the missing one stays nothing.
    std::vector<size_t> order = {11, 0, 12};
    for (size_t i = 1; i < 11; ++i) order.push_back(i);
    {
        QxUI::ImagePreload preload(files);
        for (size_t i : order) {
            SCOPED_TRACE(files[i].GetString());
            std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(skin + files[i]));
            EXPECT_EQ(Pixels(image.get()), expected[i]);
            // Asked again, the file is simply decoded again.
            std::unique_ptr<Gdiplus::Image> again(MRender::LoadImageFromFile(skin + files[i]));
            EXPECT_EQ(Pixels(again.get()), expected[i]);
        }
    }
    // After the preload, loading is as before.
    std::unique_ptr<Gdiplus::Image> after(MRender::LoadImageFromFile(skin + files[3]));
    EXPECT_EQ(Pixels(after.get()), expected[3]);
}

TEST(ImagePreloadTest, UntakenImagesGoWithThePreloadAndASecondPreloadWaitsItsTurn) {
    std::vector<CString> files = {WriteGradient(20), WriteGradient(21)};
    const CString skin = qxtest::TestSkinDirectory();
    std::unique_ptr<Gdiplus::Image> fresh(MRender::DecodeImageFile(skin + files[1]));
    {
        QxUI::ImagePreload first(files);
        // Only one preload is active: the second one's list is decoded when asked for.
        QxUI::ImagePreload second({files[1]});
        std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(skin + files[1]));
        EXPECT_EQ(Pixels(image.get()), Pixels(fresh.get()));
    }  // files[0] was never taken: freed with the preload
}

// The loader keeps premultiplied pixels rounded to the nearest value, channel * alpha / 255.
TEST(ImagePreloadTest, DecodedPixelsArePremultipliedWithRounding) {
    ASSERT_TRUE(qxtest::WriteSkinPng(L"preload_rounding.png", 256, 1, [](int x, int) {
        return (static_cast<DWORD>(x) << 24) | 0x00FF8001u;
    }));
    std::unique_ptr<Gdiplus::Image> image(MRender::LoadImageFromFile(qxtest::TestSkinDirectory() + L"preload_rounding.png"));
    const std::vector<DWORD> pixels = Pixels(image.get());
    ASSERT_EQ(pixels.size(), 256u);
    auto premultiply = [](DWORD c, DWORD a) { return (c * a + 127) / 255; };
    for (DWORD a = 0; a < 256; ++a) {
        const DWORD want = (a << 24) | (premultiply(0xFF, a) << 16) | (premultiply(0x80, a) << 8) | premultiply(0x01, a);
        EXPECT_EQ(pixels[a], want) << "alpha " << a;
    }
}

}  // namespace
