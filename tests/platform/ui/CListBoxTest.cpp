// List and combo operations with the Windows semantics the program relies on.
#include "platform/ui/CComboBox.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CPropertyPage.h"

#include "tests/platform/ui/ToolkitProbe.h"

#include <gtest/gtest.h>

namespace {

constexpr int IDC_LIST = 1022;

// One control of the given kind and style, built as a template would build it,
// on a page made inside a bare window; the page records the notifications.
class OneControl : public CPropertyPage {
public:
    OneControl(ControlKind kind, DWORD style) : CPropertyPage(OneControlTemplate(kind, style))
    {
        m_holder = MakeHolderWindow();
        CreatePage(m_holder);
        m_control = GetDlgItem(IDC_LIST)->GetSafeHwnd();
    }
    ~OneControl() override
    {
        DestroyWindow();
        DestroyHolderWindow(m_holder);
    }
    BOOL OnCommand(UINT id, UINT notifyCode) override
    {
        notices.emplace_back(static_cast<int>(id), notifyCode);
        return TRUE;
    }
    template <typename Control>
    void Bind(Control& control)
    {
        control.AttachControl(m_control, IDC_LIST, this);
    }

    std::vector<std::pair<int, UINT>> notices;

private:
    static DialogTemplate OneControlTemplate(ControlKind kind, DWORD style)
    {
        DialogTemplate tmpl;
        tmpl.cx = 100;
        tmpl.cy = 100;
        tmpl.controls = {{.id = IDC_LIST, .kind = kind, .rect = {0, 0, 90, 60}, .style = style}};
        return tmpl;
    }

    HWND m_holder = nullptr;
    HWND m_control = nullptr;
};

std::vector<std::wstring> Items(const CListBox& list)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < list.GetCount(); ++i) {
        std::wstring text;
        EXPECT_EQ(list.GetTextLen(i), list.GetText(i, text));
        items.push_back(text);
    }
    return items;
}

std::vector<std::wstring> Items(const CComboBox& combo)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        std::wstring text;
        combo.GetLBText(i, text);
        items.push_back(text);
    }
    return items;
}

TEST(CListBox, SortedListInsertsAtAnIndexKeepIndexOrder)
{
    // The device list: sorted style, yet names inserted at their enumeration
    // positions stay in that order.
    OneControl host(ControlKind::ListBox, LBS_SORT | LBS_NOTIFY | WS_VSCROLL);
    CListBox list;
    host.Bind(list);
    const wchar_t* names[] = {L"Kavro N72 DVBS/S2 Tuner B", L"Kavro N71 DVBS/S2 Tuner", L"Kavro N72 DVBS/S2 Tuner A"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(i, list.InsertString(i, names[i]));
    }
    EXPECT_EQ((std::vector<std::wstring>{names[0], names[1], names[2]}), Items(list));
    EXPECT_EQ(LB_ERR, list.InsertString(9, L"past the end"));
    EXPECT_EQ(3, list.InsertString(-1, L"At the end"));
    EXPECT_EQ(LB_ERR, list.GetCurSel()) << "nothing is selected until asked";
    EXPECT_EQ(2, list.SetCurSel(2));
    EXPECT_EQ(2, list.GetCurSel());
    EXPECT_TRUE(host.notices.empty()) << "program changes send no notification";
}

TEST(CListBox, AddStringSortsAsTextAndPrefixSearchBlocksDuplicates)
{
    // The input stream identifier list: an identifier is added unless an item
    // begins with its text.
    OneControl host(ControlKind::ListBox, LBS_SORT);
    CListBox list;
    host.Bind(list);
    auto addIdentifier = [&](const wchar_t* text) {
        if (list.FindString(-1, text) == LB_ERR) list.AddString(text);
    };
    for (const wchar_t* id : {L"12", L"1", L"2", L"10", L"2"}) addIdentifier(id);
    EXPECT_EQ((std::vector<std::wstring>{L"10", L"12", L"2"}), Items(list)) << "1 is found in 12, 2 only once";

    EXPECT_EQ(LB_ERR, list.SelectString(-1, L"3"));
    EXPECT_EQ(LB_ERR, list.GetCurSel()) << "a failed select leaves the selection";
    EXPECT_EQ(1, list.SelectString(0, L"1")) << "starts after item 0";
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(2, list.DeleteString(0));
    EXPECT_EQ(LB_ERR, list.DeleteString(5));
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
    std::wstring text = L"old";
    EXPECT_EQ(LB_ERR, list.GetText(0, text));
    EXPECT_TRUE(text.empty());
}

TEST(CListBox, SetCurSelOutOfRangeClearsTheSelection)
{
    OneControl host(ControlKind::ListBox, 0);
    CListBox list;
    host.Bind(list);
    list.AddString(L"a");
    list.AddString(L"b");
    struct Case {
        int index;
        int result;
        int selection;
    } cases[] = {{1, 1, 1}, {5, LB_ERR, -1}, {0, 0, 0}, {-1, LB_ERR, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.result, list.SetCurSel(c.index));
        EXPECT_EQ(c.selection, list.GetCurSel());
    }
}

TEST(CComboBox, KeepsNoSelectionUntilAskedAndSortsWhenSorted)
{
    struct Case {
        const char* name;
        DWORD style;
        std::vector<std::wstring> expected;
    } cases[] = {
        {"drop-down list in insertion order", CBS_DROPDOWNLIST, {L"Diseqc NULL", L"Diseqc A", L"diseqc 0"}},
        {"sorted editable box", CBS_DROPDOWN | CBS_SORT, {L"diseqc 0", L"Diseqc A", L"Diseqc NULL"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OneControl host(ControlKind::ComboBox, c.style);
        CComboBox combo;
        host.Bind(combo);
        for (const wchar_t* item : {L"Diseqc NULL", L"Diseqc A", L"diseqc 0"}) combo.AddString(item);
        EXPECT_EQ(c.expected, Items(combo));
        EXPECT_EQ(CB_ERR, combo.GetCurSel());
        EXPECT_EQ(L"", combo.GetWindowText());
        EXPECT_EQ(1, combo.SelectString(-1, L"DISEQC A"));
        EXPECT_EQ(c.expected[1], combo.GetWindowText());
        EXPECT_EQ(CB_ERR, combo.SetCurSel(7));
        EXPECT_EQ(CB_ERR, combo.GetCurSel());
        EXPECT_EQ(L"", combo.GetWindowText());
        EXPECT_TRUE(host.notices.empty());
    }
}

TEST(CComboBox, EditableBoxKeepsTypedTextWhileItemsArriveAndLosesItOnReset)
{
    OneControl host(ControlKind::ComboBox, CBS_DROPDOWN | CBS_SORT);
    CComboBox combo;
    host.Bind(combo);
    combo.SetWindowText(L"0192");
    combo.AddString(L"0192  Astra 1");
    combo.AddString(L"0130  Hotbird");
    EXPECT_EQ(L"0192", combo.GetWindowText());
    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_EQ(1, combo.SetCurSel(1));
    EXPECT_EQ(L"0192  Astra 1", combo.GetWindowText());
    EXPECT_EQ(1, combo.DeleteString(1));
    EXPECT_EQ(CB_ERR, combo.GetCurSel()) << "deleting the selected item leaves none";
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
    EXPECT_EQ(L"", combo.GetWindowText());
}

} // namespace
