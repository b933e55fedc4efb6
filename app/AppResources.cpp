#include "app/AppResources.h"

#include "app/Resource.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Resources.h"

#include <QFont>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kNight(18, 42, 86);
const QColor kSky(44, 104, 178);
const QColor kDish(236, 240, 246);

QPixmap Canvas(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A parabolic dish on a short mast, its feed arm reaching to the focus, seen from
// the side; unit is the drawing's 32-pixel grid scaled to size.
void DrawDish(QPainter& painter, const QRectF& box, const QColor& colour)
{
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 32.0, box.height() / 32.0);
    QPen pen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(colour);
    QPainterPath bowl;
    bowl.moveTo(6, 9);
    bowl.quadTo(9, 24, 24, 25);
    bowl.closeSubpath();
    painter.drawPath(bowl);
    painter.drawLine(QPointF(15, 17), QPointF(22, 10)); // feed arm
    painter.drawEllipse(QPointF(23, 9), 1.8, 1.8);      // LNB
    painter.drawLine(QPointF(14, 21), QPointF(12, 29)); // mast
    painter.drawLine(QPointF(8, 29), QPointF(17, 29));  // foot
    painter.restore();
}

QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap = Canvas(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, size);
        sky.setColorAt(0, kSky);
        sky.setColorAt(1, kNight);
        painter.setPen(Qt::NoPen);
        painter.setBrush(sky);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 6.0, size / 6.0);
        DrawDish(painter, QRectF(0, 0, size, size), kDish);
        // The satellite the dish points at: a small star in the upper right.
        painter.setBrush(QColor(255, 214, 90));
        painter.drawEllipse(QPointF(size * 0.84, size * 0.16), size * 0.07, size * 0.07);
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A padlock in a round badge: closed on green when locked, open on red when not.
QIcon LockIcon(bool locked)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap = Canvas(size);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        painter.setPen(QPen(QColor(40, 40, 40, 160), 1));
        painter.setBrush(locked ? QColor(46, 160, 67) : QColor(200, 52, 44));
        painter.drawEllipse(QRectF(1, 1, 30, 30));
        painter.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        QPainterPath shackle;
        shackle.moveTo(11, 15);
        shackle.lineTo(11, 11);
        shackle.arcTo(QRectF(11, 6, 10, 10), 180, -180);
        shackle.lineTo(21, locked ? 15 : 12);
        if (!locked) shackle.translate(0, -3);
        painter.drawPath(shackle);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(8.5, 14.5, 15, 11), 2, 2);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap Banner()
{
    DialogTemplate shape;
    const DialogBaseUnits base = BaseUnitsOf(DialogFont(shape));
    const QSize size = MapDialogSize(313, 25, base);
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), 0);
    sky.setColorAt(0, kNight);
    sky.setColorAt(1, kSky);
    painter.fillRect(pixmap.rect(), sky);

    const int h = size.height();
    DrawDish(painter, QRectF(h * 0.25, h * 0.08, h * 0.84, h * 0.84), kDish);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setStyleHint(QFont::SansSerif);
    title.setBold(true);
    title.setPixelSize(std::max(8, h * 9 / 20));
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRectF text(h * 1.3, 0, size.width() - h * 1.5, h);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Kavro TS Recorder"));

    QFont small = title;
    small.setBold(false);
    small.setPixelSize(std::max(7, h * 6 / 20));
    painter.setFont(small);
    painter.setPen(QColor(200, 220, 245));
    painter.drawText(text.adjusted(0, 0, -h * 0.2, 0), Qt::AlignVCenter | Qt::AlignRight,
                     QStringLiteral("DVB-S/S2 signal and stream"));
    return pixmap;
}

} // namespace

void RegisterAppResources()
{
    Resources::AddIcon(IDR_MAINFRAME, ApplicationIcon());
    Resources::AddIcon(IDI_LOCKED, LockIcon(true));
    Resources::AddIcon(IDI_UNLOCKED, LockIcon(false));
    Resources::AddBitmap(IDB_BANNER, Banner());
    Resources::AddString(IDS_ABOUTBOX, L"&About Kavro TS Recorder Tool.");
}
