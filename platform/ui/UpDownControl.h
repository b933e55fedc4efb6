#pragma once
// The up-down control's widget: two arrows that step a position within a
// range, optionally wrapping at the ends, optionally showing the position as
// the decimal text of a buddy edit (which it also reads back before a step)
// and stepping on the buddy's arrow keys. As on Windows, the up arrow moves
// towards the upper bound, and the default range is 100 (lower) to 0 (upper),
// so an untouched control counts down on its up arrow. UI thread only.
#include "platform/com/WinTypes.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;

class UpDownControl : public QWidget {
public:
    UpDownControl(DWORD style, QWidget* parent);

    void SetRange(int lower, int upper);
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    // Clamped to the range; shown in the buddy when it shows the position.
    void SetPos(int pos);
    // Reads the buddy's number first, as Windows does when asked.
    int Pos();
    void SetBuddy(QLineEdit* buddy);
    QLineEdit* Buddy() const;

    // One step: +1 for the up arrow, -1 for the down arrow.
    void Step(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowInBuddy();

    DWORD m_style;
    int m_lower = 100;
    int m_upper = 0;
    int m_pos = 0;
    // Held as a widget: events reach the filter while the buddy is being
    // destroyed, when it is no longer a line edit.
    QPointer<QWidget> m_buddy;
};
