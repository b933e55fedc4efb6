#pragma once
// A progress bar. Positions outside the range are held at its ends, so a
// value above the upper bound shows a full bar. Default range 0..100.
// Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    // Returns the previous position.
    int SetPos(int pos);
    int GetPos() const;
    int OffsetPos(int delta);
};
