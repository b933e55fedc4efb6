#pragma once
// A push button, check box or radio button. Any thread (see CWnd.h).
#include "platform/ui/CWnd.h"

class CButton : public CWnd {
public:
    // BST_CHECKED or BST_UNCHECKED; a push button is never checked.
    int GetCheck() const;
    // Sets the state without a click notification.
    void SetCheck(int check);
    // A user's click: focus, toggle (check box), select (radio), BN_CLICKED.
    // Nothing for a disabled or hidden button.
    void Click();
};
