// Shows the toolkit's sample dialog with the Windows toolkit, filled as
// ui_screenshot fills it on Linux, for the given time, so that a grab of the
// screen it is on (windows_shots.sh, under Wine) pictures the Windows dialog:
// `sample_dialog_show MILLISECONDS`. Exits with 0 when the time ran out with
// the dialog shown.
#include "platform/ui/CWinApp.h"
#include "platform/ui/UiThread.h"

#include "tests/platform/ui/SampleDialog.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

SampleDialog* g_shown = nullptr;

void CALLBACK EndShow(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_shown) g_shown->EndDialog(IDOK);
}

} // namespace

int main(int argc, char** argv)
{
    const int milliseconds = argc == 2 ? std::atoi(argv[1]) : 0;
    if (milliseconds <= 0) {
        std::fprintf(stderr, "usage: sample_dialog_show MILLISECONDS\n");
        return 2;
    }
    BeginUiThread();
    int result = 1;
    {
        CWinApp program;
        RegisterSampleResources();
        SampleDialog dialog;
        program.m_pMainWnd = &dialog;
        g_shown = &dialog;
        dialog.afterInit = [&] {
            dialog.SetDlgItemText(IDC_SAMPLE_STATUS, L"Recording... 37%");
            dialog.m_progress.SetPos(37);
            dialog.m_names.SetCurSel(1);
            ::SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &EndShow);
        };
        result = dialog.DoModal() == IDOK ? 0 : 1;
        g_shown = nullptr;
    }
    EndUiThread();
    return result;
}
