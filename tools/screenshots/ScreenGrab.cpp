// Saves what the screen of the display Qt is given shows, cut to the part that is
// not background: `screen_grab OUT.png`. Run while the program runs on the same
// (virtual) display, it takes the program's window as a user sees it
// (docs/screenshots.md, tools/screenshots/guide_shots.sh and windows_shots.sh).
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

// The background's colour: that of most of the screen's corners, since a window
// may cover one (Wine's virtual desktop puts the first window in the top-left one).
QRgb Background(const QImage& image)
{
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const QRgb corners[] = {image.pixel(0, 0), image.pixel(right, 0), image.pixel(0, bottom),
                            image.pixel(right, bottom)};
    for (const QRgb candidate : corners) {
        if (std::count(std::begin(corners), std::end(corners), candidate) >= 2) return candidate;
    }
    return corners[0];
}

// The smallest rectangle holding every pixel unlike the background, with a margin.
QRect Content(const QImage& image)
{
    const QRgb background = Background(image);
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == background) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom)).adjusted(-8, -8, 8, 8).intersected(image.rect());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: screen_grab OUT.png\n");
        return 2;
    }
    QGuiApplication qt(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "screen_grab: no screen\n");
        return 1;
    }
    const QImage whole = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    const QRect content = Content(whole);
    if (content.isEmpty()) {
        std::fprintf(stderr, "screen_grab: the screen shows nothing\n");
        return 1;
    }
    return whole.copy(content).save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
