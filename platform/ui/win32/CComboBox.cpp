#include "platform/ui/CComboBox.h"

#include "platform/ui/win32/ListMessages.h"

namespace {
const ListMessages& ComboCodes() { return ListMessages::ComboBox(); }
} // namespace

int CComboBox::GetCount() const { return ListCount(*this, ComboCodes()); }
int CComboBox::GetCurSel() const { return ListCurSel(*this, ComboCodes()); }
int CComboBox::SetCurSel(int index) { return ListSetCurSel(*this, ComboCodes(), index); }
int CComboBox::AddString(LPCWSTR text) { return ListAdd(*this, ComboCodes(), text); }
int CComboBox::InsertString(int index, LPCWSTR text) { return ListInsert(*this, ComboCodes(), index, text); }
int CComboBox::DeleteString(UINT index) { return ListDelete(*this, ComboCodes(), index); }
void CComboBox::ResetContent() { ListReset(*this, ComboCodes()); }
int CComboBox::FindString(int startAfter, LPCWSTR text) const
{
    return ListFind(*this, ComboCodes(), ComboCodes().findString, startAfter, text);
}
int CComboBox::FindStringExact(int startAfter, LPCWSTR text) const
{
    return ListFind(*this, ComboCodes(), ComboCodes().findStringExact, startAfter, text);
}
int CComboBox::SelectString(int startAfter, LPCWSTR text)
{
    return ListFind(*this, ComboCodes(), ComboCodes().selectString, startAfter, text);
}
int CComboBox::GetLBText(int index, std::wstring& text) const { return ListText(*this, ComboCodes(), index, text); }
int CComboBox::GetLBTextLen(int index) const { return ListTextLen(*this, ComboCodes(), index); }
