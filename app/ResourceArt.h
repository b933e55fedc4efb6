#pragma once
// The program's pictures as data: colours, sizes and shapes that both painters
// walk (Qt's on Linux, GDI+ on Windows), so the icons and the banner look the
// same on either system. Shapes are on a 32-unit grid scaled to the picture.
#include <array>
#include <string_view>

namespace art {

struct Colour {
    int red, green, blue, alpha = 255;
};

struct Point {
    double x, y;
};

struct Line {
    Point from, to;
};

inline constexpr Colour kNight{18, 42, 86};
inline constexpr Colour kSky{44, 104, 178};
inline constexpr Colour kDish{236, 240, 246};
inline constexpr Colour kStar{255, 214, 90};
inline constexpr Colour kLockedBadge{46, 160, 67};
inline constexpr Colour kUnlockedBadge{200, 52, 44};
inline constexpr Colour kBadgeRim{40, 40, 40, 160};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kSubtitleColour{200, 220, 245};

inline constexpr double kGrid = 32.0;

// A parabolic dish on a short mast, its feed arm reaching to the focus, seen
// from the side: the bowl is the area between a quadratic curve and its chord,
// the rest is stroked with round ends.
inline constexpr double kDishPen = 2.2;
inline constexpr Point kBowlStart{6, 9};
inline constexpr Point kBowlControl{9, 24};
inline constexpr Point kBowlEnd{24, 25};
inline constexpr std::array<Line, 3> kDishLines{{
    {{15, 17}, {22, 10}}, // feed arm
    {{14, 21}, {12, 29}}, // mast
    {{8, 29}, {17, 29}},  // foot
}};
inline constexpr Point kLnb{23, 9}; // the feed's end, a dot
inline constexpr double kLnbRadius = 1.8;

// The application icon: a rounded square of sky, dark below, with the dish and
// a small star (the satellite) in the upper right. Sizes in pixels; the corner
// radius, the star's place and size are fractions of the size.
inline constexpr std::array<int, 3> kApplicationIconSizes{16, 32, 48};
inline constexpr double kIconCorner = 1.0 / 6.0;
inline constexpr Point kStarCentre{0.84, 0.16};
inline constexpr double kStarRadius = 0.07;

// The lock icons: a padlock in a round badge, closed on green when locked,
// open on red when not (its shackle raised and its right leg short).
inline constexpr std::array<int, 2> kLockIconSizes{16, 32};
inline constexpr double kBadgeLeft = 1, kBadgeSize = 30, kBadgeRimPen = 1;
inline constexpr double kShacklePen = 2.6;
inline constexpr double kShackleLeft = 11, kShackleRight = 21, kShackleBottom = 15, kShackleTop = 11;
inline constexpr double kShackleArcTop = 6, kShackleArcSize = 10; // a half circle over the legs
inline constexpr double kOpenShackleRightBottom = 12, kOpenShackleLift = 3;
inline constexpr double kBodyLeft = 8.5, kBodyTop = 14.5, kBodyWidth = 15, kBodyHeight = 11, kBodyCorner = 2;

// The banner across the main window's top, sized to its 313 x 25 dialog units:
// a gradient from night on the left to sky on the right, the dish, the title on
// the left and the subtitle on the right, both centred vertically. Places are
// fractions of the banner's height h.
inline constexpr int kBannerDialogWidth = 313, kBannerDialogHeight = 25;
inline constexpr double kBannerDishLeft = 0.25, kBannerDishTop = 0.08, kBannerDishSize = 0.84;
// The text box runs from 1.3 h to the width less 0.2 h; the subtitle ends 0.2 h
// before the box does.
inline constexpr double kBannerTextLeft = 1.3, kBannerTextWidthCut = 1.5, kBannerSubtitleCut = 0.2;
inline constexpr std::wstring_view kBannerFont = L"DejaVu Sans";
inline constexpr std::wstring_view kBannerTitle = L"Kavro TS Recorder";
inline constexpr std::wstring_view kBannerSubtitle = L"DVB-S/S2 signal and stream";
// Text heights in pixels: h * 9 / 20 (at least 8) bold, h * 6 / 20 (at least 7).
inline constexpr int TitlePixels(int h) { return h * 9 / 20 > 8 ? h * 9 / 20 : 8; }
inline constexpr int SubtitlePixels(int h) { return h * 6 / 20 > 7 ? h * 6 / 20 : 7; }

inline constexpr std::wstring_view kAboutText = L"&About Kavro TS Recorder Tool.";

} // namespace art
