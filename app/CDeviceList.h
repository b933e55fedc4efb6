#pragma once
// The device selection (template 140, "Kavro Record : Select device"): lists the
// friendly names of every broadcast network tuner in enumeration order and
// records the user's choice in deviceIndex and deviceName (ChosenDevice.h).
// OK and a double-click on an item choose the selected tuner; Cancel ends the
// dialog with IDCANCEL and chooses nothing. UI thread, inside a COM apartment.
#include "platform/ui/CDialog.h"
#include "platform/ui/CListBox.h"

inline constexpr int IDC_DEVICE_LIST = 1022;

class CDeviceList : public CDialog {
public:
    explicit CDeviceList(CWnd* owner = nullptr);

    // The tuners in enumeration order, each inserted at its own position (the
    // list box is sorted, so adding would reorder them); the first is selected.
    // With no tuner deviceName becomes "No Device" and FALSE keeps the focus
    // where the toolkit put it.
    BOOL OnInitDialog() override;
    // Takes the selection (if any) into deviceIndex and deviceName, then ends
    // with IDOK.
    void OnOK() override;
    void DoDataExchange(CDataExchange* dx) override;

    static DialogTemplate Template();

private:
    CListBox m_list;
};
