// Shows the device selection and the main window on the display Qt is given
// and saves what the screen shows of each: `app_screenshot OUTDIR` writes
// device-selection.png, and main-window.png with each page of the sheet shown
// in turn (main-window-1.png, main-window-2.png) (docs/screenshots.md).
#include "app/AppResources.h"
#include "app/CBDAUtilDlg.h"
#include "app/CDeviceList.h"
#include "process/ChosenDevice.h"
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/DeviceInterfaces.h"
#include "platform/ui/CWinApp.h"
#include "runtime/devices/DeviceClasses.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

namespace {

// Runs dialog T modally and saves the screen under its window once it has been
// mapped and painted; the dialog then ends.
template <class T>
class Shot : public T {
public:
    // One picture per file; before each, show(index) prepares the window.
    Shot(QStringList files, std::function<void(T&, int)> show = nullptr)
        : m_files(std::move(files)),
          m_show(std::move(show))
    {}
    int saved = 0;

    BOOL OnInitDialog() override
    {
        const BOOL result = T::OnInitDialog();
        Next(0);
        return result;
    }

private:
    void Next(int index)
    {
        if (index == m_files.size()) {
            this->EndDialog(IDCANCEL);
            return;
        }
        if (m_show) m_show(*this, index);
        QTimer::singleShot(700, [this, index] {
            QWidget* window = this->GetSafeHwnd();
            const QRect frame = window->frameGeometry().adjusted(-8, -8, 8, 8);
            const QPixmap shot = window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
            if (!shot.isNull() && shot.save(m_files[index], "PNG")) ++saved;
            Next(index + 1);
        });
    }

    QStringList m_files;
    std::function<void(T&, int)> m_show;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: app_screenshot OUTDIR\n");
        return 2;
    }
    QApplication qt(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));

    auto catalog = std::make_shared<runtime::DeviceCatalog>();
    for (const wchar_t* name : {L"Kavro N71 DVBS/S2 Tuner", L"Kavro N72 DVBS/S2 Tuner A", L"Kavro N72 DVBS/S2 Tuner B",
                                L"Kavro U31 DVBS2 Tuner"}) {
        catalog->AddDevice(KSCATEGORY_BDA_NETWORK_TUNER, std::wstring(name), nullptr);
    }
    runtime::RegisterDeviceClasses(catalog, out.filePath(QStringLiteral("TuningSpaces.ini")).toStdString());
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);

    CWinApp program;
    RegisterAppResources();
    Shot<CDeviceList> selection({out.filePath(QStringLiteral("device-selection.png"))});
    selection.DoModal();

    deviceName = L"Kavro N72 DVBS/S2 Tuner B";
    Shot<CBDAUtilDlg> mainWindow({out.filePath(QStringLiteral("main-window.png")),
                                  out.filePath(QStringLiteral("main-window-1.png")),
                                  out.filePath(QStringLiteral("main-window-2.png"))},
                                 [](CBDAUtilDlg& window, int page) { window.m_sheet.SetActivePage(page); });
    program.m_pMainWnd = &mainWindow;
    mainWindow.DoModal();
    program.m_pMainWnd = nullptr;

    ClearComClassRegistry();
    CoUninitialize();
    if (selection.saved != 1 || mainWindow.saved != 3) {
        std::fprintf(stderr, "app_screenshot: could not save the pictures in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
