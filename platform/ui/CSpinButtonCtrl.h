#pragma once
// An up-down control (UpDownControl.h has its rules). Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    // Returns the previous position.
    int SetPos(int pos);
    int GetPos() const;
    // The edit control whose text shows the position; nullptr for none.
    void SetBuddy(CWnd* buddy);
};
