// Shows the sample dialog on the display Qt is given and saves what the
// screen shows of it as a PNG: `ui_screenshot OUT.png` (docs/screenshots.md).
#include "platform/ui/CWinApp.h"
#include "platform/ui/UiThread.h"

#include "tests/platform/ui/SampleDialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ui_screenshot OUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    CWinApp program;
    RegisterSampleResources();
    SampleDialog dialog;
    program.m_pMainWnd = &dialog;
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool saved = false;
    dialog.afterInit = [&] {
        dialog.SetDlgItemText(IDC_SAMPLE_STATUS, L"Recording... 37%");
        dialog.m_progress.SetPos(37);
        dialog.m_names.SetCurSel(1);
        // Give the window system time to map and paint the window, then
        // take the screen's pixels where the window is.
        QTimer::singleShot(700, [&] {
            QWidget* window = dialog.GetSafeHwnd();
            const QRect frame = window->frameGeometry().adjusted(-8, -8, 8, 8);
            QScreen* screen = window->screen();
            const QPixmap shot = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            saved = !shot.isNull() && shot.save(out, "PNG");
            dialog.EndDialog(IDOK);
        });
    };
    dialog.DoModal();
    if (!saved) {
        std::fprintf(stderr, "ui_screenshot: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
