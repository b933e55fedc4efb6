#pragma once
// The Motor/Positioner page (template 148), the third page of the main
// window's sheet: site and satellite for the USALS goto, stored positions,
// stepping, driving and the limits of a DiSEqC 1.2 positioner. For now the page
// shows its controls; the motor commands and the city and satellite lists come
// with the page's own work. UI thread.
#include "platform/ui/CPropertyPage.h"

class CPositionDlg : public CPropertyPage {
public:
    CPositionDlg();

    static DialogTemplate Template();
};
