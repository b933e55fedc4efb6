#include "tests/platform/ui/SampleDialog.h"

#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

#ifndef _WIN32
#include <QPainter>
#include <QPixmap>
#endif

DialogTemplate SampleTemplate()
{
    DialogTemplate t;
    t.id = kSampleTemplateId;
    t.caption = L"Sample Settings";
    t.cx = 260;
    t.cy = 190;
    using K = ControlKind;
    t.controls = {
        {.id = IDC_SAMPLE_ICON, .kind = K::Picture, .rect = {7, 7, 20, 20}, .style = SS_ICON, .image = kSampleIconId},
        {.id = IDC_STATIC, .kind = K::Static, .text = L"Store File Path:", .rect = {34, 9, 60, 8}},
        {.id = IDC_SAMPLE_PATH, .kind = K::Edit, .rect = {96, 7, 130, 14}, .style = ES_AUTOHSCROLL | WS_TABSTOP},
        {.id = IDC_SAMPLE_BROWSE, .kind = K::PushButton, .text = L"...", .rect = {230, 7, 22, 14}, .style = WS_TABSTOP},
        {.id = IDC_STATIC, .kind = K::GroupBox, .text = L"Limit Option:", .rect = {7, 28, 120, 62}},
        {.id = IDC_SAMPLE_USE_SIZE,
         .kind = K::RadioButton,
         .text = L"Use File Size Limit",
         .rect = {14, 40, 80, 10},
         .style = WS_GROUP | WS_TABSTOP},
        {.id = IDC_SAMPLE_SIZE,
         .kind = K::Edit,
         .rect = {14, 52, 50, 14},
         .style = ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP},
        {.id = IDC_STATIC, .kind = K::Static, .text = L"MB", .rect = {68, 55, 20, 8}},
        {.id = IDC_SAMPLE_USE_TIME, .kind = K::RadioButton, .text = L"Use Time Limit", .rect = {14, 68, 80, 10}},
        {.id = IDC_SAMPLE_TIME,
         .kind = K::Edit,
         .rect = {14, 78, 50, 14},
         .style = ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP | WS_DISABLED},
        {.id = IDC_STATIC, .kind = K::Static, .text = L"Seconds", .rect = {68, 81, 40, 8}},
        {.id = IDC_SAMPLE_NAMES,
         .kind = K::ListBox,
         .rect = {134, 28, 118, 44},
         .style = LBS_SORT | LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
         .items = {L"gamma", L"Alpha", L"beta"}},
        {.id = IDC_SAMPLE_PORT,
         .kind = K::ComboBox,
         .rect = {134, 76, 118, 80},
         .style = CBS_DROPDOWNLIST | WS_TABSTOP,
         .items = {L"Diseqc NULL", L"Diseqc A", L"Diseqc B", L"Diseqc C", L"Diseqc D"}},
        {.id = IDC_SAMPLE_COUNTRY,
         .kind = K::ComboBox,
         .rect = {134, 96, 118, 80},
         .style = CBS_DROPDOWN | CBS_SORT | WS_TABSTOP},
        {.id = IDC_STATIC, .kind = K::Static, .text = L"Position:", .rect = {7, 100, 36, 8}},
        {.id = IDC_SAMPLE_POSITION, .kind = K::Edit, .rect = {46, 98, 46, 14}, .style = WS_TABSTOP},
        {.id = IDC_SAMPLE_POSITION_SPIN,
         .kind = K::UpDown,
         .rect = {92, 98, 11, 14},
         .style = UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
        {.id = IDC_SAMPLE_ALL, .kind = K::CheckBox, .text = L"ALL", .rect = {7, 118, 40, 10}, .style = WS_TABSTOP},
        {.id = IDC_STATIC, .kind = K::Static, .text = L"Status:", .rect = {7, 134, 30, 8}},
        {.id = IDC_SAMPLE_STATUS, .kind = K::Edit, .rect = {46, 132, 206, 14}, .style = ES_READONLY | ES_AUTOHSCROLL},
        {.id = IDC_SAMPLE_PROGRESS, .kind = K::Progress, .rect = {7, 150, 245, 10}},
        {.id = IDC_SAMPLE_LINE, .kind = K::Line, .rect = {0, 164, 260, 1}},
        {.id = IDC_SAMPLE_START,
         .kind = K::PushButton,
         .text = L"Start Record",
         .rect = {7, 170, 60, 14},
         .style = WS_TABSTOP},
        {.id = IDC_SAMPLE_CANCEL,
         .kind = K::PushButton,
         .text = L"Cancel Record",
         .rect = {71, 170, 60, 14},
         .style = WS_TABSTOP},
        {.id = IDC_SAMPLE_SEND, .kind = K::PushButton, .text = L"Send", .rect = {135, 170, 20, 14}, .hidden = true},
        {.id = IDOK,
         .kind = K::PushButton,
         .text = L"OK",
         .rect = {158, 170, 45, 14},
         .style = BS_DEFPUSHBUTTON | WS_TABSTOP},
        {.id = IDCANCEL, .kind = K::PushButton, .text = L"Cancel", .rect = {207, 170, 45, 14}, .style = WS_TABSTOP},
    };
    return t;
}

void RegisterSampleResources()
{
#ifndef _WIN32
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x2a, 0x6f, 0xb5));
    painter.setPen(QPen(QColor(0x1b, 0x3f, 0x66), 2));
    painter.drawEllipse(QRectF(3, 6, 20, 20));
    painter.drawLine(QPointF(13, 16), QPointF(28, 5));
    painter.end();
    Resources::AddIcon(kSampleIconId, QIcon(icon));
#endif
}

SampleDialog::SampleDialog() : CDialog(SampleTemplate())
{
    MapClicked(IDC_SAMPLE_START, [this] {
        events.push_back("click 1036");
        SetTimer(0, 10);
        SetDlgItemText(IDC_SAMPLE_STATUS, L"Recording... 0%");
    });
    MapClicked(IDC_SAMPLE_CANCEL, [this] {
        events.push_back("click 1037");
        AfxMessageBox(L"Record is not started!");
    });
    MapClicked(IDC_SAMPLE_BROWSE, [this] {
        events.push_back("click 1029");
        CFileDialog dialog(FALSE, L"TS", L"", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"TS Files (*.ts)|*.ts|All Files (*.*)|*.*||", this);
        if (dialog.DoModal() == IDOK) {
            m_path = dialog.GetPathName();
            SetDlgItemText(IDC_SAMPLE_PATH, m_path.c_str());
        }
    });
    MapClicked(IDC_SAMPLE_ALL, [this] { events.push_back(IsDlgButtonChecked(IDC_SAMPLE_ALL) ? "all on" : "all off"); });
    MapClicked(IDC_SAMPLE_USE_SIZE, [this] { events.push_back("size mode"); });
    MapClicked(IDC_SAMPLE_USE_TIME, [this] { events.push_back("time mode"); });
    MapCommand(IDC_SAMPLE_NAMES, LBN_SELCHANGE,
               [this] { events.push_back("names " + std::to_string(m_names.GetCurSel())); });
    MapCommand(IDC_SAMPLE_NAMES, LBN_DBLCLK, [this] { events.push_back("names dblclk"); });
    MapCommand(IDC_SAMPLE_PORT, CBN_SELCHANGE, [this] {
        events.push_back("port " + std::to_string(static_cast<CComboBox*>(GetDlgItem(IDC_SAMPLE_PORT))->GetCurSel()));
    });
}

BOOL SampleDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    events.push_back("init");
    CheckDlgButton(IDC_SAMPLE_USE_SIZE, BST_CHECKED);
    if (afterInit) afterInit();
    return TRUE;
}

void SampleDialog::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_SAMPLE_NAMES, m_names);
    DDX_Control(dx, IDC_SAMPLE_PROGRESS, m_progress);
    DDX_Text(dx, IDC_SAMPLE_PATH, m_path);
    DDX_Text(dx, IDC_SAMPLE_TIME, m_seconds);
    DDV_MinMaxInt(dx, m_seconds, 1, 65535);
    DDX_Text(dx, IDC_SAMPLE_SIZE, m_sizeMB);
    DDV_MinMaxUInt(dx, m_sizeMB, 50, 800000);
}

void SampleDialog::OnTimer(UINT_PTR id) { events.push_back("timer " + std::to_string(id)); }

void SampleDialog::OnDestroy() { events.push_back("destroy"); }

BOOL SampleDialog::OnDeviceChange(UINT eventType, DWORD_PTR /*data*/)
{
    events.push_back("device change " + std::to_string(eventType));
    if (eventType == DBT_DEVICEREMOVECOMPLETE) EndDialog(IDOK);
    return TRUE;
}

BOOL SampleDialog::PreTranslateMessage(MSG* msg)
{
    if (swallowEnter && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        ++enterSwallowed;
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}
