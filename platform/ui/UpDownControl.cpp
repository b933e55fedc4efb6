#include "platform/ui/UpDownControl.h"

#include "platform/ui/ControlWidget.h"
#include "platform/ui/WinUser.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

UpDownControl::UpDownControl(DWORD style, QWidget* parent) : QWidget(parent), m_style(style)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int direction : {+1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(arrow);
        connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
    }
}

void UpDownControl::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    // Windows leaves the buddy's text alone when only the range changes.
    m_pos = std::clamp(m_pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

void UpDownControl::SetPos(int pos)
{
    m_pos = std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
    ShowInBuddy();
}

QLineEdit* UpDownControl::Buddy() const { return qobject_cast<QLineEdit*>(m_buddy.data()); }

int UpDownControl::Pos()
{
    if (QLineEdit* buddy = Buddy(); buddy && (m_style & UDS_SETBUDDYINT)) {
        bool ok = false;
        const int shown = buddy->text().trimmed().toInt(&ok);
        if (ok) {
            m_pos = std::clamp(shown, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
        }
    }
    return m_pos;
}

void UpDownControl::SetBuddy(QLineEdit* buddy)
{
    if (m_buddy) {
        m_buddy->removeEventFilter(this);
    }
    m_buddy = buddy;
    if (m_buddy && (m_style & UDS_ARROWKEYS)) {
        m_buddy->installEventFilter(this);
    }
}

void UpDownControl::Step(int direction)
{
    if (!isEnabled() || m_lower == m_upper) {
        return;
    }
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    const int towardsUpper = m_upper > m_lower ? 1 : -1;
    int next = Pos() + direction * towardsUpper;
    if (next > high) {
        next = (m_style & UDS_WRAP) ? low : high;
    } else if (next < low) {
        next = (m_style & UDS_WRAP) ? high : low;
    }
    m_pos = next;
    ShowInBuddy();
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_buddy.data()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::ShowInBuddy()
{
    QLineEdit* buddy = Buddy();
    if (!buddy || !(m_style & UDS_SETBUDDYINT)) {
        return;
    }
    // The number it shows already is not set again (that repaints the edit);
    // the caret goes to the end as setting it would put it.
    if (const QString text = QString::number(m_pos); !HoldsEditText(buddy, text)) {
        buddy->setText(text);
    } else if (buddy->cursorPosition() != text.size() || buddy->hasSelectedText()) {
        buddy->end(false);
    }
}
