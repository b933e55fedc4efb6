#include "app/CAboutDlg.h"

#include "app/ProductVersionText.h"
#include "app/Resource.h"
#include "platform/ui/CDataExchange.h"

DialogTemplate CAboutDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_ABOUTBOX;
    t.caption = L"KavroN71 TS Recorder";
    t.cx = 235;
    t.cy = 55;
    ControlTemplate icon{IDC_STATIC, ControlKind::Picture, L"", {11, 17, 20, 20}, SS_ICON};
    icon.image = IDR_MAINFRAME;
    t.controls = {
        icon,
        {IDC_STATIC, ControlKind::Static, L"KavroN71 TS Recorder Tool", {40, 10, 130, 8}, SS_LEFT},
        {IDC_STATIC, ControlKind::Static, L"Version:", {40, 25, 30, 8}, SS_LEFT},
        {IDC_ABOUT_VERSION, ControlKind::Static, L"", {70, 25, 100, 8}, SS_LEFT},
        {IDOK, ControlKind::PushButton, L"OK", {178, 7, 50, 14}, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP},
    };
    return t;
}

CAboutDlg::CAboutDlg(CWnd* owner) : CDialog(Template(), owner) {}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_strVersion = GetProductVersionText();
    UpdateData(FALSE);
    return TRUE;
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_ABOUT_VERSION, m_strVersion);
}
