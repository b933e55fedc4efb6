#include "platform/ui/CDataExchange.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/DecimalText.h"
#include "platform/ui/MessageBox.h"

#ifdef _WIN32
#include "platform/ui/win32/WindowTags.h"
#else
#include "platform/ui/ControlWidget.h"
#endif

#include <vector>

namespace {

std::wstring Format(std::wstring text, const std::wstring& first, const std::wstring& second = {})
{
    for (const auto& [mark, value] : {std::pair<std::wstring, std::wstring>{L"%1", first}, {L"%2", second}}) {
        if (const auto at = text.find(mark); at != std::wstring::npos) {
            text.replace(at, mark.size(), value);
        }
    }
    return text;
}

// The exchanges below stop once one has failed.
bool Skip(const CDataExchange* dx) { return !dx || dx->Failed() || !dx->m_pDlgWnd; }

} // namespace

CDataExchange::CDataExchange(CWnd* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate),
      m_pDlgWnd(dialog)
{}

CWnd* CDataExchange::PrepareCtrl(int id)
{
    m_lastControl = id;
    return m_pDlgWnd ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void CDataExchange::Fail(const std::wstring& message)
{
    m_failed = true;
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    if (CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(m_lastControl) : nullptr) {
        control->SetFocus();
        if (auto* edit = dynamic_cast<CEdit*>(control)) {
            edit->SetSel(0, -1);
        }
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (Skip(dx) || control.GetSafeHwnd()) {
        return; // bound once per window, as the toolkit subclasses a control once
    }
    if (CWnd* item = dx->PrepareCtrl(id)) {
        control.AttachControl(item->GetSafeHwnd(), id, dx->m_pDlgWnd);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value)
{
    if (Skip(dx)) return;
    CWnd* control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        control->GetWindowText(value);
    } else {
        control->SetWindowText(value.c_str());
    }
}

namespace {

// Integer exchange: the number as text into the control, or the control's text
// parsed back, with the toolkit's prompt when it is not a number of that kind.
template <class Number, class Parser>
void ExchangeNumber(CDataExchange* dx, int id, Number& value, Parser parse, const wchar_t* prompt)
{
    if (Skip(dx)) return;
    CWnd* control = dx->PrepareCtrl(id);
    if (!control) return;
    if (!dx->m_bSaveAndValidate) {
        control->SetWindowText(std::to_wstring(value).c_str());
        return;
    }
    Number parsed = 0;
    if (!parse(control->GetWindowText(), parsed)) {
        dx->Fail(prompt);
        return;
    }
    value = parsed;
}

} // namespace

void DDX_Text(CDataExchange* dx, int id, int& value) { ExchangeNumber(dx, id, value, ParseInt32, kPromptInteger); }

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    ExchangeNumber(dx, id, value, ParseUInt32, kPromptPositiveInteger);
}

#ifdef _WIN32
void DDX_Text(CDataExchange* dx, int id, LONG& value)
{
    auto parse = [](std::wstring_view text, LONG& parsed) {
        int number = 0;
        const bool ok = ParseInt32(text, number);
        parsed = number;
        return ok;
    };
    ExchangeNumber(dx, id, value, parse, kPromptInteger);
}
#endif

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    if (Skip(dx)) return;
    if (!dx->PrepareCtrl(id)) return;
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(dx->m_pDlgWnd->IsDlgButtonChecked(id));
    } else {
        dx->m_pDlgWnd->CheckDlgButton(id, value == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    if (Skip(dx)) return;
    // The group: the radio buttons from id on, up to the next control that
    // starts a group; other controls in between do not count.
    std::vector<CWnd*> group;
    bool inGroup = false;
    for (const auto& control : dx->m_pDlgWnd->Controls()) {
        HWND widget = control->GetSafeHwnd();
        if (!inGroup) {
            inGroup = control->GetDlgCtrlID() == id;
        } else if (ControlStyleOf(widget) & WS_GROUP) {
            break;
        }
        if (inGroup && ControlKindOf(widget) == ControlKind::RadioButton) group.push_back(control.get());
    }
    if (group.empty()) return;
    dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        value = -1;
        for (size_t i = 0; i < group.size(); ++i) {
            if (static_cast<CButton*>(group[i])->GetCheck() == BST_CHECKED) {
                value = static_cast<int>(i);
                break;
            }
        }
    } else {
        for (size_t i = 0; i < group.size(); ++i) {
            static_cast<CButton*>(group[i])->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    if (Skip(dx)) return;
    auto* combo = dynamic_cast<CComboBox*>(dx->PrepareCtrl(id));
    if (!combo) return;
    if (dx->m_bSaveAndValidate) {
        index = combo->GetCurSel();
    } else {
        combo->SetCurSel(index);
    }
}

void DDX_LBIndex(CDataExchange* dx, int id, int& index)
{
    if (Skip(dx)) return;
    auto* list = dynamic_cast<CListBox*>(dx->PrepareCtrl(id));
    if (!list) return;
    if (dx->m_bSaveAndValidate) {
        index = list->GetCurSel();
    } else {
        list->SetCurSel(index);
    }
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum)
{
    if (Skip(dx) || !dx->m_bSaveAndValidate) return;
    if (value < minimum || value > maximum) {
        dx->Fail(Format(kPromptIntegerRange, std::to_wstring(minimum), std::to_wstring(maximum)));
    }
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minimum, UINT maximum)
{
    if (Skip(dx) || !dx->m_bSaveAndValidate) return;
    if (value < minimum || value > maximum) {
        dx->Fail(Format(kPromptIntegerRange, std::to_wstring(minimum), std::to_wstring(maximum)));
    }
}

void DDV_MaxChars(CDataExchange* dx, const std::wstring& value, int maxChars)
{
    if (Skip(dx) || !dx->m_bSaveAndValidate) return;
    if (maxChars >= 0 && value.size() > static_cast<size_t>(maxChars)) {
        dx->Fail(Format(kPromptMaxChars, std::to_wstring(maxChars)));
    }
}
