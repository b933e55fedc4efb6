#pragma once
// The Capture Control page (template 131), the second page of the main
// window's sheet: output path, file-size or time limit, Start and Cancel
// Record, status and progress. For now the page shows its controls; recording
// comes with the page's own work. UI thread.
#include "platform/ui/CPropertyPage.h"

class CUtiVirtualDamonDlg : public CPropertyPage {
public:
    CUtiVirtualDamonDlg();

    static DialogTemplate Template();
};
