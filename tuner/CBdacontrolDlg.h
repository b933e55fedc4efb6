#pragma once
// The Tuner Setting page (template 130), the first page of the main window's
// sheet: transponder and LNB parameters, polarity, DiSEqC port, the DVB-S2
// physical-layer controls and "Lock TP". For now the page shows its controls
// and their fixed list entries; tuning, the settings file and the graph come
// with the page's own work. UI thread.
#include "platform/ui/CPropertyPage.h"

class CBdacontrolDlg : public CPropertyPage {
public:
    CBdacontrolDlg();

    static DialogTemplate Template();
};
