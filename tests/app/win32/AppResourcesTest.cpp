// The program's pictures on Windows, drawn with GDI+ into the system's icons
// and bitmaps: each is registered at the system's icon size (the banner at the
// main window's size), and shows its colours where the shapes put them.
#include "app/AppResources.h"
#include "app/Resource.h"
#include "app/ResourceArt.h"
#include "platform/ui/Resources.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgra; // top-down rows

    art::Colour At(int x, int y) const
    {
        const std::uint32_t p = bgra[static_cast<std::size_t>(y * width + x)];
        return {static_cast<int>((p >> 16) & 0xff), static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff),
                static_cast<int>(p >> 24)};
    }
};

Pixels Read(HBITMAP bitmap)
{
    Pixels pixels;
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return pixels;
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.bgra.resize(static_cast<std::size_t>(pixels.width * pixels.height));
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = pixels.width;
    format.bmiHeader.biHeight = -pixels.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgra.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != pixels.height) pixels = {};
    return pixels;
}

Pixels ReadIcon(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    Pixels pixels = Read(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// Within a few steps of each channel: edges and gradients are the painter's.
bool Near(art::Colour seen, art::Colour expected, int slack)
{
    return std::abs(seen.red - expected.red) <= slack && std::abs(seen.green - expected.green) <= slack &&
        std::abs(seen.blue - expected.blue) <= slack;
}

std::string Text(art::Colour c)
{
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

class AppResourcesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterAppResources(); }
};

TEST_F(AppResourcesTest, IconsShowTheirColoursAtTheSystemsIconSize)
{
    const int size = GetSystemMetrics(SM_CXICON);
    // Points on the 32-unit grid, away from every edge of the shapes.
    struct Case {
        const char* name;
        int id;
        art::Point point;
        art::Colour colour;
    };
    const Case cases[] = {
        {"application icon, sky at the top", IDR_MAINFRAME, {20, 2}, art::kSky},
        {"application icon, dish on the mast", IDR_MAINFRAME, {13, 25}, art::kDish},
        {"locked badge", IDI_LOCKED, {4, 16}, art::kLockedBadge},
        {"locked body", IDI_LOCKED, {16, 20}, art::kWhite},
        {"unlocked badge", IDI_UNLOCKED, {4, 16}, art::kUnlockedBadge},
        {"unlocked body", IDI_UNLOCKED, {16, 20}, art::kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels pixels = ReadIcon(Resources::Icon(c.id));
        ASSERT_EQ(pixels.width, size);
        ASSERT_EQ(pixels.height, size);
        const art::Colour seen =
            pixels.At(static_cast<int>(c.point.x * size / art::kGrid), static_cast<int>(c.point.y * size / art::kGrid));
        EXPECT_TRUE(Near(seen, c.colour, 16)) << Text(seen) << " where " << Text(c.colour) << " was drawn";
    }
}

TEST_F(AppResourcesTest, TheLockedAndUnlockedShacklesDiffer)
{
    // The open shackle is lifted: above the closed one's top there is white.
    const int size = GetSystemMetrics(SM_CXICON);
    const int x = static_cast<int>(art::kShackleLeft * size / art::kGrid);
    const int y = static_cast<int>((art::kShackleArcTop - 2) * size / art::kGrid);
    const Pixels locked = ReadIcon(Resources::Icon(IDI_LOCKED));
    const Pixels unlocked = ReadIcon(Resources::Icon(IDI_UNLOCKED));
    ASSERT_EQ(locked.width, size);
    ASSERT_EQ(unlocked.width, size);
    EXPECT_FALSE(Near(locked.At(x + 1, y + 1), unlocked.At(x + 1, y + 1), 8));
}

TEST_F(AppResourcesTest, TheBannerRunsFromNightToSkyAcrossTheMainWindow)
{
    const Pixels banner = Read(Resources::Bitmap(IDB_BANNER));
    ASSERT_GT(banner.height, 0);
    // 313 x 25 dialog units: more than twelve times as wide as high.
    EXPECT_GT(banner.width, banner.height * 12);
    const int middle = banner.height / 2;
    EXPECT_TRUE(Near(banner.At(0, middle), art::kNight, 12)) << Text(banner.At(0, middle));
    EXPECT_TRUE(Near(banner.At(banner.width - 1, middle), art::kSky, 12)) << Text(banner.At(banner.width - 1, middle));
    // The title is written in white somewhere in its box.
    int white = 0;
    for (int x = static_cast<int>(banner.height * art::kBannerTextLeft); x < banner.width / 2; ++x) {
        for (int y = 0; y < banner.height; ++y) white += Near(banner.At(x, y), art::kWhite, 24) ? 1 : 0;
    }
    EXPECT_GT(white, 20);
}

TEST_F(AppResourcesTest, TheAboutItemsTextIsRegistered)
{
    EXPECT_EQ(Resources::String(IDS_ABOUTBOX), L"&About Kavro TS Recorder Tool.");
}

} // namespace
