#pragma once
// The "Select Mode Code" dialog (template 142): 28 MODCOD check boxes in four
// columns of seven, in MODCOD order, an "ALL" box, OK and Cancel. Every run
// starts with all boxes cleared; OK builds the MODCOD filter list, which the
// caller reads from the object after DoModal returned IDOK. Constructed without
// an owner, so it belongs to the innermost running dialog or the main window.
// UI thread.
#include "platform/driver/KavroProperties.h"
#include "platform/ui/CDialog.h"

inline constexpr int IDD_MODE_CODE = 142;
inline constexpr int IDC_MODCOD_ALL = 1075;

class CModeDlg : public CDialog {
public:
    CModeDlg();
    ~CModeDlg() override;

    // The toolkit's own: every box cleared, focus on the first control.
    BOOL OnInitDialog() override;
    // BuildModcodList, then the dialog ends with IDOK.
    void OnOK() override;

    // "ALL" clicked: all 28 boxes take its new state; they stay changeable.
    void ToggleAll();
    // The list from "ALL" (the full 112 entries) or else the boxes; fills
    // m_list and m_nCounter.
    void BuildModcodList();

    // Valid after OK.
    ModcodList m_list{};
    // Entries appended by the last BuildModcodList.
    std::uint32_t m_nCounter = 0;

    static DialogTemplate Template();
};
