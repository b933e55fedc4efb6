#include "platform/ui/CPropertyPage.h"

CPropertyPage::CPropertyPage(const DialogTemplate& tmpl) : CDialog(tmpl) {}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}
