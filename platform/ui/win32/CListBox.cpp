#include "platform/ui/CListBox.h"

#include "platform/ui/win32/ListMessages.h"

namespace {
const ListMessages& ListBoxCodes() { return ListMessages::ListBox(); }
} // namespace

int CListBox::GetCount() const { return ListCount(*this, ListBoxCodes()); }
int CListBox::GetCurSel() const { return ListCurSel(*this, ListBoxCodes()); }
int CListBox::SetCurSel(int index) { return ListSetCurSel(*this, ListBoxCodes(), index); }
int CListBox::AddString(LPCWSTR text) { return ListAdd(*this, ListBoxCodes(), text); }
int CListBox::InsertString(int index, LPCWSTR text) { return ListInsert(*this, ListBoxCodes(), index, text); }
int CListBox::DeleteString(UINT index) { return ListDelete(*this, ListBoxCodes(), index); }
void CListBox::ResetContent() { ListReset(*this, ListBoxCodes()); }
int CListBox::FindString(int startAfter, LPCWSTR text) const
{
    return ListFind(*this, ListBoxCodes(), ListBoxCodes().findString, startAfter, text);
}
int CListBox::FindStringExact(int startAfter, LPCWSTR text) const
{
    return ListFind(*this, ListBoxCodes(), ListBoxCodes().findStringExact, startAfter, text);
}
int CListBox::SelectString(int startAfter, LPCWSTR text)
{
    return ListFind(*this, ListBoxCodes(), ListBoxCodes().selectString, startAfter, text);
}
int CListBox::GetText(int index, std::wstring& text) const { return ListText(*this, ListBoxCodes(), index, text); }
int CListBox::GetTextLen(int index) const { return ListTextLen(*this, ListBoxCodes(), index); }
