#include "tests/support/PageHost.h"

#include "tests/support/TestDialogIds.h"

namespace {

DialogTemplate HostTemplate(const std::wstring& caption, int cx, int cy)
{
    DialogTemplate t;
    t.id = IDD_TEST_HOST;
    t.caption = caption;
    t.cx = cx;
    t.cy = cy;
    return t;
}

} // namespace

PageHost::PageHost(CPropertyPage& page, const std::wstring& caption, int cx, int cy)
    : CDialog(HostTemplate(caption, cx, cy)),
      m_hosted(page)
{}

BOOL PageHost::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_sheet.AddPage(&m_hosted);
    // As the main window makes its sheet.
    m_sheet.Create(this, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT);
    if (afterInit) afterInit();
    return TRUE;
}
