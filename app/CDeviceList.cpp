#include "app/CDeviceList.h"

#include "process/ChosenDevice.h"
#include "graph/DeviceGetList.h"
#include "app/Resource.h"
#include "platform/com/DebugOut.h"
#include "platform/com/WideText.h"
#include "platform/ui/CDataExchange.h"

DialogTemplate CDeviceList::Template()
{
    DialogTemplate t;
    t.id = IDD_DEVICELIST;
    t.caption = L"Kavro Record : Select device";
    t.fontName = L"MS Shell Dlg";
    t.fontPointSize = 10;
    t.cx = 186;
    t.cy = 130;
    t.controls = {
        {IDC_STATIC, ControlKind::Static, L"Device:", {7, 7, 60, 10}, SS_LEFT},
        {IDC_DEVICE_LIST,
         ControlKind::ListBox,
         L"",
         {6, 19, 169, 81},
         LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP},
        {IDOK, ControlKind::PushButton, L"OK", {33, 108, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, ControlKind::PushButton, L"Cancel", {103, 108, 50, 14}, WS_TABSTOP},
    };
    return t;
}

CDeviceList::CDeviceList(CWnd* owner) : CDialog(Template(), owner)
{
    MapCommand(IDC_DEVICE_LIST, LBN_DBLCLK, [this] { OnOK(); });
}

void CDeviceList::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_DEVICE_LIST, m_list);
}

BOOL CDeviceList::OnInitDialog()
{
    CDialog::OnInitDialog();

    DeviceListRecord devices;
    DeviceGetList(&devices);
    m_list.ResetContent();
    int inserted = 0;
    for (std::size_t i = 0; i < devices.Total(); ++i) {
        const std::string name = devices.Name(i);
        OutputDebugStringA(name.c_str());
        if (m_list.InsertString(static_cast<int>(i), FromUtf8(name).c_str()) != LB_ERR) ++inserted;
    }
    if (inserted > 0) {
        m_list.SetCurSel(0);
        return TRUE;
    }
    deviceName = kNoDeviceName;
    return FALSE;
}

void CDeviceList::OnOK()
{
    const int selected = m_list.GetCurSel();
    if (selected != LB_ERR) {
        std::wstring text;
        m_list.GetText(selected, text);
        deviceName = text;
        deviceIndex = selected;
    }
    EndDialog(IDOK);
}
