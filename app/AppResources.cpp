#include "app/AppResources.h"

#include "app/Resource.h"
#include "app/ResourceArt.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Resources.h"

#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QColor ToQt(art::Colour colour) { return QColor(colour.red, colour.green, colour.blue, colour.alpha); }

QPointF ToQt(art::Point point) { return QPointF(point.x, point.y); }

QString ToQt(std::wstring_view text)
{
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

QPixmap Canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The dish (art::kBowlStart ...) in box.
void DrawDish(QPainter& painter, const QRectF& box, const QColor& colour)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / art::kGrid, box.height() / art::kGrid);
    QPen pen(colour, art::kDishPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(colour);
    QPainterPath bowl;
    bowl.moveTo(ToQt(art::kBowlStart));
    bowl.quadTo(ToQt(art::kBowlControl), ToQt(art::kBowlEnd));
    bowl.closeSubpath();
    painter.drawPath(bowl);
    painter.drawLine(ToQt(art::kDishLines[0].from), ToQt(art::kDishLines[0].to));
    painter.drawEllipse(ToQt(art::kLnb), art::kLnbRadius, art::kLnbRadius);
    for (std::size_t i = 1; i < art::kDishLines.size(); ++i) {
        painter.drawLine(ToQt(art::kDishLines[i].from), ToQt(art::kDishLines[i].to));
    }
    painter.restore();
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : art::kApplicationIconSizes) {
        QPixmap pixmap = Canvas(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, size);
        sky.setColorAt(0, ToQt(art::kSky));
        sky.setColorAt(1, ToQt(art::kNight));
        painter.setPen(Qt::NoPen);
        painter.setBrush(sky);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size * art::kIconCorner,
                                size * art::kIconCorner);
        DrawDish(painter, QRectF(0, 0, size, size), ToQt(art::kDish));
        painter.setBrush(ToQt(art::kStar));
        painter.drawEllipse(QPointF(size * art::kStarCentre.x, size * art::kStarCentre.y), size * art::kStarRadius,
                            size * art::kStarRadius);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon LockIcon(bool locked)
{
    QIcon icon;
    for (int size : art::kLockIconSizes) {
        QPixmap pixmap = Canvas(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / art::kGrid, size / art::kGrid);
        painter.setPen(QPen(ToQt(art::kBadgeRim), art::kBadgeRimPen));
        painter.setBrush(ToQt(locked ? art::kLockedBadge : art::kUnlockedBadge));
        painter.drawEllipse(QRectF(art::kBadgeLeft, art::kBadgeLeft, art::kBadgeSize, art::kBadgeSize));
        painter.setPen(QPen(ToQt(art::kWhite), art::kShacklePen, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath shackle;
        shackle.moveTo(art::kShackleLeft, art::kShackleBottom);
        shackle.lineTo(art::kShackleLeft, art::kShackleTop);
        shackle.arcTo(QRectF(art::kShackleLeft, art::kShackleArcTop, art::kShackleArcSize, art::kShackleArcSize), 180,
                      -180);
        shackle.lineTo(art::kShackleRight, locked ? art::kShackleBottom : art::kOpenShackleRightBottom);
        if (!locked) shackle.translate(0, -art::kOpenShackleLift);
        painter.drawPath(shackle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ToQt(art::kWhite));
        painter.drawRoundedRect(QRectF(art::kBodyLeft, art::kBodyTop, art::kBodyWidth, art::kBodyHeight),
                                art::kBodyCorner, art::kBodyCorner);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap Banner()
{
    DialogTemplate shape;
    const DialogBaseUnits base = BaseUnitsOf(DialogFont(shape));
    const QSize size = MapDialogSize(art::kBannerDialogWidth, art::kBannerDialogHeight, base);
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), 0);
    sky.setColorAt(0, ToQt(art::kNight));
    sky.setColorAt(1, ToQt(art::kSky));
    painter.fillRect(pixmap.rect(), sky);

    const int h = size.height();
    DrawDish(
        painter,
        QRectF(h * art::kBannerDishLeft, h * art::kBannerDishTop, h * art::kBannerDishSize, h * art::kBannerDishSize),
        ToQt(art::kDish));

    QFont title(ToQt(art::kBannerFont));
    title.setStyleHint(QFont::SansSerif);
    title.setBold(true);
    title.setPixelSize(art::TitlePixels(h));
    painter.setFont(title);
    painter.setPen(ToQt(art::kWhite));
    const QRectF text(h * art::kBannerTextLeft, 0, size.width() - h * art::kBannerTextWidthCut, h);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, ToQt(art::kBannerTitle));

    QFont small = title;
    small.setBold(false);
    small.setPixelSize(art::SubtitlePixels(h));
    painter.setFont(small);
    painter.setPen(ToQt(art::kSubtitleColour));
    painter.drawText(text.adjusted(0, 0, -h * art::kBannerSubtitleCut, 0), Qt::AlignVCenter | Qt::AlignRight,
                     ToQt(art::kBannerSubtitle));
    return pixmap;
}

} // namespace

void RegisterAppResources()
{
    Resources::AddIcon(IDR_MAINFRAME, ApplicationIcon());
    Resources::AddIcon(IDI_LOCKED, LockIcon(true));
    Resources::AddIcon(IDI_UNLOCKED, LockIcon(false));
    Resources::AddBitmap(IDB_BANNER, Banner());
    Resources::AddString(IDS_ABOUTBOX, std::wstring(art::kAboutText));
}
