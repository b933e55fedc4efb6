// The program's pictures on Windows, drawn with GDI+ from the same shapes the
// Linux painter walks (app/ResourceArt.h) into the system's icons and bitmaps.
// Icons are made at the system's large icon size; the system scales them where
// it shows a small one. The banner is made to the main window's 313 x 25 dialog
// units in that window's font, measured as the system measures a dialog font.
#include "app/AppResources.h"

#include "app/Resource.h"
#include "app/ResourceArt.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <memory>
#include <string>

namespace {

namespace gp = Gdiplus;

gp::Color ToGdi(art::Colour colour)
{
    return gp::Color(static_cast<BYTE>(colour.alpha), static_cast<BYTE>(colour.red), static_cast<BYTE>(colour.green),
                     static_cast<BYTE>(colour.blue));
}

gp::REAL Real(double value) { return static_cast<gp::REAL>(value); }

gp::PointF ToGdi(art::Point point) { return gp::PointF(Real(point.x), Real(point.y)); }

gp::RectF Square(double left, double top, double size)
{
    return gp::RectF(Real(left), Real(top), Real(size), Real(size));
}

// A rectangle with quarter-circle corners of the given radius.
void AddRoundedRect(gp::GraphicsPath& path, const gp::RectF& box, double radius)
{
    const gp::REAL d = Real(2 * radius);
    const gp::REAL right = box.X + box.Width - d;
    const gp::REAL bottom = box.Y + box.Height - d;
    path.StartFigure();
    path.AddArc(box.X, box.Y, d, d, 180, 90);
    path.AddArc(right, box.Y, d, d, 270, 90);
    path.AddArc(right, bottom, d, d, 0, 90);
    path.AddArc(box.X, bottom, d, d, 90, 90);
    path.CloseFigure();
}

std::unique_ptr<gp::Bitmap> Canvas(int size)
{
    auto bitmap = std::make_unique<gp::Bitmap>(size, size, PixelFormat32bppARGB);
    gp::Graphics graphics(bitmap.get());
    graphics.Clear(gp::Color(0, 0, 0, 0));
    return bitmap;
}

void Smooth(gp::Graphics& graphics)
{
    graphics.SetSmoothingMode(gp::SmoothingModeAntiAlias);
    graphics.SetPixelOffsetMode(gp::PixelOffsetModeHalf);
}

HICON IconOf(gp::Bitmap& bitmap)
{
    HICON icon = nullptr;
    return bitmap.GetHICON(&icon) == gp::Ok ? icon : nullptr;
}

void DrawDish(gp::Graphics& graphics, const gp::RectF& box, art::Colour colour)
{
    const gp::GraphicsState saved = graphics.Save();
    graphics.TranslateTransform(box.X, box.Y);
    graphics.ScaleTransform(box.Width / Real(art::kGrid), box.Height / Real(art::kGrid));
    gp::Pen pen(ToGdi(colour), Real(art::kDishPen));
    pen.SetLineCap(gp::LineCapRound, gp::LineCapRound, gp::DashCapRound);
    pen.SetLineJoin(gp::LineJoinRound);
    gp::SolidBrush brush(ToGdi(colour));

    // The bowl's quadratic curve as the cubic one with the same shape.
    const gp::PointF start = ToGdi(art::kBowlStart);
    const gp::PointF control = ToGdi(art::kBowlControl);
    const gp::PointF end = ToGdi(art::kBowlEnd);
    const gp::REAL third = Real(2.0 / 3.0);
    gp::GraphicsPath bowl;
    bowl.AddBezier(start, start + gp::PointF((control.X - start.X) * third, (control.Y - start.Y) * third),
                   end + gp::PointF((control.X - end.X) * third, (control.Y - end.Y) * third), end);
    bowl.CloseFigure();
    graphics.FillPath(&brush, &bowl);
    graphics.DrawPath(&pen, &bowl);

    for (const art::Line& line : art::kDishLines) graphics.DrawLine(&pen, ToGdi(line.from), ToGdi(line.to));
    const gp::RectF lnb = Square(art::kLnb.x - art::kLnbRadius, art::kLnb.y - art::kLnbRadius, 2 * art::kLnbRadius);
    graphics.FillEllipse(&brush, lnb);
    graphics.DrawEllipse(&pen, lnb);
    graphics.Restore(saved);
}

HICON ApplicationIcon(int size)
{
    const std::unique_ptr<gp::Bitmap> bitmap = Canvas(size);
    {
        gp::Graphics graphics(bitmap.get());
        Smooth(graphics);
        gp::LinearGradientBrush sky(gp::PointF(0, 0), gp::PointF(0, Real(size)), ToGdi(art::kSky), ToGdi(art::kNight));
        gp::GraphicsPath square;
        AddRoundedRect(square, gp::RectF(0.5f, 0.5f, Real(size - 1.0), Real(size - 1.0)), size * art::kIconCorner);
        graphics.FillPath(&sky, &square);
        DrawDish(graphics, Square(0, 0, size), art::kDish);
        gp::SolidBrush star(ToGdi(art::kStar));
        const double radius = size * art::kStarRadius;
        graphics.FillEllipse(
            &star, Square(size * art::kStarCentre.x - radius, size * art::kStarCentre.y - radius, 2 * radius));
    }
    return IconOf(*bitmap);
}

HICON LockIcon(bool locked, int size)
{
    const std::unique_ptr<gp::Bitmap> bitmap = Canvas(size);
    {
        gp::Graphics graphics(bitmap.get());
        Smooth(graphics);
        graphics.ScaleTransform(Real(size / art::kGrid), Real(size / art::kGrid));
        gp::SolidBrush badge(ToGdi(locked ? art::kLockedBadge : art::kUnlockedBadge));
        gp::Pen rim(ToGdi(art::kBadgeRim), Real(art::kBadgeRimPen));
        const gp::RectF circle = Square(art::kBadgeLeft, art::kBadgeLeft, art::kBadgeSize);
        graphics.FillEllipse(&badge, circle);
        graphics.DrawEllipse(&rim, circle);

        // Up the left leg, over the half circle, down the right leg.
        const double lift = locked ? 0 : art::kOpenShackleLift;
        const double rightBottom = locked ? art::kShackleBottom : art::kOpenShackleRightBottom;
        gp::GraphicsPath shackle;
        shackle.AddLine(Real(art::kShackleLeft), Real(art::kShackleBottom - lift), Real(art::kShackleLeft),
                        Real(art::kShackleTop - lift));
        shackle.AddArc(Square(art::kShackleLeft, art::kShackleArcTop - lift, art::kShackleArcSize), 180, 180);
        shackle.AddLine(Real(art::kShackleRight), Real(art::kShackleTop - lift), Real(art::kShackleRight),
                        Real(rightBottom - lift));
        gp::Pen white(ToGdi(art::kWhite), Real(art::kShacklePen));
        white.SetLineCap(gp::LineCapRound, gp::LineCapRound, gp::DashCapRound);
        white.SetLineJoin(gp::LineJoinBevel);
        graphics.DrawPath(&white, &shackle);

        gp::SolidBrush body(ToGdi(art::kWhite));
        gp::GraphicsPath box;
        AddRoundedRect(
            box, gp::RectF(Real(art::kBodyLeft), Real(art::kBodyTop), Real(art::kBodyWidth), Real(art::kBodyHeight)),
            art::kBodyCorner);
        graphics.FillPath(&body, &box);
    }
    return IconOf(*bitmap);
}

// The dialog font's base units as the system computes them for a dialog: the
// average width of the 52 Latin letters, rounded, and the font's height.
SIZE DialogBaseUnits(const DialogTemplate& shape)
{
    SIZE units{4, 8};
    HDC screen = GetDC(nullptr);
    if (!screen) return units;
    const int height = -MulDiv(shape.fontPointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, shape.fontName.c_str());
    const HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    SIZE letters{};
    static const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsW(screen, &metrics) && GetTextExtentPoint32W(screen, kLetters, 52, &letters)) {
        units.cx = (letters.cx / 26 + 1) / 2;
        units.cy = metrics.tmHeight;
    }
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return units;
}

HBITMAP Banner()
{
    const SIZE base = DialogBaseUnits(DialogTemplate{});
    const int width = MulDiv(art::kBannerDialogWidth, base.cx, 4);
    const int h = MulDiv(art::kBannerDialogHeight, base.cy, 8);
    gp::Bitmap bitmap(width, h, PixelFormat32bppARGB);
    {
        gp::Graphics graphics(&bitmap);
        Smooth(graphics);
        graphics.SetTextRenderingHint(gp::TextRenderingHintAntiAlias);
        gp::LinearGradientBrush sky(gp::PointF(0, 0), gp::PointF(Real(width), 0), ToGdi(art::kNight), ToGdi(art::kSky));
        graphics.FillRectangle(&sky, 0, 0, width, h);
        DrawDish(graphics,
                 gp::RectF(Real(h * art::kBannerDishLeft), Real(h * art::kBannerDishTop),
                           Real(h * art::kBannerDishSize), Real(h * art::kBannerDishSize)),
                 art::kDish);

        // The Linux face where the system has it, else its sans-serif face.
        const std::wstring faceName(art::kBannerFont);
        gp::FontFamily named(faceName.c_str());
        const gp::FontFamily* face = named.IsAvailable() ? &named : gp::FontFamily::GenericSansSerif();
        gp::Font title(face, Real(art::TitlePixels(h)), gp::FontStyleBold, gp::UnitPixel);
        gp::Font small(face, Real(art::SubtitlePixels(h)), gp::FontStyleRegular, gp::UnitPixel);
        gp::StringFormat left;
        left.SetLineAlignment(gp::StringAlignmentCenter);
        left.SetAlignment(gp::StringAlignmentNear);
        gp::StringFormat right;
        right.SetLineAlignment(gp::StringAlignmentCenter);
        right.SetAlignment(gp::StringAlignmentFar);
        const gp::RectF text(Real(h * art::kBannerTextLeft), 0, Real(width - h * art::kBannerTextWidthCut), Real(h));
        const std::wstring titleText(art::kBannerTitle);
        const std::wstring subtitleText(art::kBannerSubtitle);
        gp::SolidBrush white(ToGdi(art::kWhite));
        graphics.DrawString(titleText.c_str(), -1, &title, text, &left, &white);
        gp::SolidBrush pale(ToGdi(art::kSubtitleColour));
        gp::RectF subtitle = text;
        subtitle.Width -= Real(h * art::kBannerSubtitleCut);
        graphics.DrawString(subtitleText.c_str(), -1, &small, subtitle, &right, &pale);
    }
    HBITMAP handle = nullptr;
    return bitmap.GetHBITMAP(gp::Color(0, 0, 0), &handle) == gp::Ok ? handle : nullptr;
}

} // namespace

void RegisterAppResources()
{
    gp::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    const bool drawing = gp::GdiplusStartup(&token, &input, nullptr) == gp::Ok;
    if (drawing) {
        // The handles are the system's own and outlive GDI+.
        const int size = GetSystemMetrics(SM_CXICON);
        Resources::AddIcon(IDR_MAINFRAME, ApplicationIcon(size));
        Resources::AddIcon(IDI_LOCKED, LockIcon(true, size));
        Resources::AddIcon(IDI_UNLOCKED, LockIcon(false, size));
        Resources::AddBitmap(IDB_BANNER, Banner());
        gp::GdiplusShutdown(token);
    }
    Resources::AddString(IDS_ABOUTBOX, std::wstring(art::kAboutText));
}
