#include "tuner/CModeDlg.h"

#include "tuner/ModcodSet.h"

namespace {

constexpr int kColumnX[4] = {12, 82, 152, 222};
constexpr int kFirstRowY = 14;
constexpr int kRowStep = 18;
constexpr int kBoxesPerColumn = 7;

} // namespace

DialogTemplate CModeDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_MODE_CODE;
    t.caption = L"Select Mode Code";
    t.cx = 295;
    t.cy = 187;
    int index = 0;
    for (const ModcodBox& box : ModcodBoxes()) {
        const int column = index / kBoxesPerColumn;
        const int row = index % kBoxesPerColumn;
        t.controls.push_back({box.boxId,
                              ControlKind::CheckBox,
                              box.label,
                              {kColumnX[column], kFirstRowY + row * kRowStep, 64, 10},
                              WS_TABSTOP});
        ++index;
    }
    // Below the third column's last box.
    t.controls.push_back({IDC_MODCOD_ALL,
                          ControlKind::CheckBox,
                          L"ALL",
                          {kColumnX[2], kFirstRowY + kBoxesPerColumn * kRowStep, 64, 10},
                          WS_TABSTOP});
    t.controls.push_back({IDOK, ControlKind::PushButton, L"OK", {170, 163, 50, 14}, BS_DEFPUSHBUTTON | WS_TABSTOP});
    t.controls.push_back({IDCANCEL, ControlKind::PushButton, L"Cancel", {232, 163, 50, 14}, WS_TABSTOP});
    return t;
}

CModeDlg::CModeDlg() : CDialog(Template())
{
    MapClicked(IDC_MODCOD_ALL, [this] { ToggleAll(); });
}

CModeDlg::~CModeDlg() = default;

BOOL CModeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CModeDlg::OnOK()
{
    BuildModcodList();
    EndDialog(IDOK);
}

void CModeDlg::ToggleAll()
{
    const UINT state = IsDlgButtonChecked(IDC_MODCOD_ALL) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    for (const ModcodBox& box : ModcodBoxes()) CheckDlgButton(box.boxId, state);
}

void CModeDlg::BuildModcodList()
{
    if (IsDlgButtonChecked(IDC_MODCOD_ALL) == BST_CHECKED) {
        m_list = FullModcodList();
    } else {
        std::array<bool, kModcodCount> chosen{};
        for (std::size_t i = 0; i < kModcodCount; ++i) {
            chosen[i] = IsDlgButtonChecked(ModcodBoxes()[i].boxId) == BST_CHECKED;
        }
        m_list = ::BuildModcodList(chosen);
    }
    m_nCounter = m_list.count;
}
