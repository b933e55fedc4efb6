#include "platform/ui/CWnd.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CSpinButtonCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/ControlWidget.h"
#include "platform/ui/DecimalText.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/automation/Transcript.h"
#include "platform/ui/UiThread.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <memory>

namespace {

QString FromWide(LPCWSTR text) { return text ? QString::fromWCharArray(text) : QString(); }

RECT ToRect(const QRect& r) { return RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

bool HoldsFocus(QWidget* widget)
{
    QWidget* focus = widget->window()->focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

// The focus of a control just disabled moves to the next control of the same
// dialog (or page) that takes the tab key, in template order, else to that
// dialog itself: it never leaves for the windows around it, whose Enter and
// Escape would end the program.
void MoveFocusOnFrom(QWidget* disabled)
{
    QWidget* owner = disabled->parentWidget();
    while (owner && !WindowOf(owner)) owner = owner->parentWidget();
    if (!owner) return;
    const auto& controls = WindowOf(owner)->Controls();
    const auto at = std::find_if(controls.begin(), controls.end(),
                                 [&](const auto& control) { return control->GetSafeHwnd() == disabled; });
    const size_t start = at == controls.end() ? 0 : static_cast<size_t>(at - controls.begin()) + 1;
    for (size_t step = 0; step < controls.size(); ++step) {
        QWidget* widget = controls[(start + step) % controls.size()]->GetSafeHwnd();
        if (widget && widget != disabled && widget->isEnabled() && widget->isVisibleTo(owner) &&
            (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    owner->setFocus(Qt::OtherFocusReason);
}

} // namespace

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // Handlers are not run from a destructor: a window still open here is
    // simply deleted with its widget.
    if (m_ownsWidget && m_hWnd && IsUiThread()) {
        delete m_hWnd.data();
    }
}

HWND CWnd::GetSafeHwnd() const { return m_hWnd.data(); }

void CWnd::WithWidget(const std::function<void(HWND)>& fn) const
{
    RunOnUiThread([&] {
        if (m_hWnd) fn(m_hWnd.data());
    });
}

void CWnd::SetWindowText(LPCWSTR text)
{
    const QString value = FromWide(text);
    WithWidget([&](QWidget* widget) {
        if (IsControl(widget)) {
            SetControlText(widget, value);
            return;
        }
        if (widget->windowTitle() != value) widget->setWindowTitle(value);
        // The transcript has a line for every title the program sets.
        if (this == AfxGetMainWnd()) {
            Transcript::Write("title " + Transcript::Quote(value.toStdWString()));
        }
    });
}

void CWnd::GetWindowText(std::wstring& text) const
{
    QString value;
    WithWidget([&](QWidget* widget) { value = IsControl(widget) ? ControlText(widget) : widget->windowTitle(); });
    text = value.toStdWString();
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    BOOL wasDisabled = FALSE;
    WithWidget([&](QWidget* widget) {
        wasDisabled = widget->isEnabled() ? FALSE : TRUE;
        const bool losesFocus = enable == FALSE && HoldsFocus(widget);
        widget->setEnabled(enable != FALSE);
        if (losesFocus) MoveFocusOnFrom(widget);
    });
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    BOOL enabled = FALSE;
    WithWidget([&](QWidget* widget) { enabled = widget->isEnabled() ? TRUE : FALSE; });
    return enabled;
}

BOOL CWnd::ShowWindow(int command)
{
    BOOL wasVisible = FALSE;
    WithWidget([&](QWidget* widget) {
        wasVisible = widget->isHidden() ? FALSE : TRUE;
        widget->setVisible(command != SW_HIDE);
    });
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    BOOL visible = FALSE;
    WithWidget([&](QWidget* widget) { visible = widget->isVisible() ? TRUE : FALSE; });
    return visible;
}

void CWnd::SetFocus()
{
    WithWidget([](QWidget* widget) { widget->setFocus(Qt::OtherFocusReason); });
}

HWND CWnd::ControlWidget(int id) const
{
    for (const auto& control : m_controls) {
        if (control->m_nID == id && control->m_hWnd) {
            return control->m_hWnd.data();
        }
    }
    return nullptr;
}

void CWnd::SetDlgItemText(int id, LPCWSTR text)
{
    const QString value = FromWide(text);
    RunOnUiThread([&] { SetControlText(ControlWidget(id), value); });
}

int CWnd::GetDlgItemText(int id, std::wstring& text) const
{
    QString value;
    RunOnUiThread([&] { value = ControlText(ControlWidget(id)); });
    text = value.toStdWString();
    return static_cast<int>(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    const QString text = isSigned ? QString::number(static_cast<int>(value)) : QString::number(value);
    RunOnUiThread([&] { SetControlText(ControlWidget(id), text); });
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    QString text;
    RunOnUiThread([&] { text = ControlText(ControlWidget(id)); });
    return DlgItemIntOf(text.toStdWString(), translated, isSigned);
}

void CWnd::CheckDlgButton(int id, UINT check)
{
    RunOnUiThread([&] {
        if (auto* button = qobject_cast<QAbstractButton*>(ControlWidget(id))) {
            button->setChecked(check == BST_CHECKED);
        }
    });
}

UINT CWnd::IsDlgButtonChecked(int id) const
{
    UINT state = BST_UNCHECKED;
    RunOnUiThread([&] {
        if (auto* button = qobject_cast<QAbstractButton*>(ControlWidget(id))) {
            state = button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
        }
    });
    return state;
}

void CWnd::CheckRadioButton(int first, int last, int check)
{
    RunOnUiThread([&] {
        for (const auto& control : m_controls) {
            if (control->m_nID < first || control->m_nID > last) continue;
            if (auto* button = qobject_cast<QAbstractButton*>(control->m_hWnd.data())) {
                button->setChecked(control->m_nID == check);
            }
        }
    });
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT milliseconds, void* /*unused*/)
{
    UINT_PTR result = 0;
    WithWidget([&](QWidget* widget) {
        if (auto it = m_timers.find(id); it != m_timers.end()) {
            delete it->second.data();
            m_timers.erase(it);
        }
        auto* timer = new QTimer(widget); // dies with the window, as a window timer does
        const int period = static_cast<int>(std::min<UINT>(std::max<UINT>(milliseconds, 1), INT_MAX));
        // One shot at a time, each measured from the last: a repeating timer
        // keeps its cadence and so comes early after a late tick, and a coarse
        // one may fire before its time.
        timer->setTimerType(Qt::PreciseTimer);
        timer->setSingleShot(true);
        auto since = std::make_shared<QElapsedTimer>();
        since->start();
        QObject::connect(timer, &QTimer::timeout, widget, [this, id, timer, since, period] {
            const qint64 early = qint64{period} * 1000000 - since->nsecsElapsed();
            if (early > 0) {
                timer->start(static_cast<int>((early + 999999) / 1000000));
                return;
            }
            since->start();
            timer->start(period);
            OnTimer(id); // may kill or set this timer again
        });
        timer->start(period);
        m_timers[id] = timer;
        result = id;
    });
    return result;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    BOOL killed = FALSE;
    RunOnUiThread([&] {
        if (auto it = m_timers.find(id); it != m_timers.end()) {
            killed = it->second ? TRUE : FALSE;
            delete it->second.data();
            m_timers.erase(it);
        }
    });
    return killed;
}

int CWnd::MessageBox(LPCWSTR text, LPCWSTR caption, UINT type)
{
    const std::wstring title = caption ? std::wstring(caption) : AfxGetAppName();
    return ShowMessageBoxFor(this, text, title.c_str(), type);
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](QWidget* widget) {
        if (widget->isWindow()) {
            *rect = ToRect(widget->frameGeometry());
        } else {
            *rect = ToRect(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
        }
    });
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](QWidget* widget) { *rect = ToRect(widget->rect()); });
}

void CWnd::ScreenToClient(LPRECT rect) const
{
    if (!rect) return;
    WithWidget([&](QWidget* widget) {
        const QPoint topLeft = widget->mapFromGlobal(QPoint(rect->left, rect->top));
        const QPoint bottomRight = widget->mapFromGlobal(QPoint(rect->right, rect->bottom));
        *rect = RECT{topLeft.x(), topLeft.y(), bottomRight.x(), bottomRight.y()};
    });
}

void CWnd::ScreenToClient(LPPOINT point) const
{
    if (!point) return;
    WithWidget([&](QWidget* widget) {
        const QPoint p = widget->mapFromGlobal(QPoint(point->x, point->y));
        *point = POINT{p.x(), p.y()};
    });
}

void CWnd::ClientToScreen(LPPOINT point) const
{
    if (!point) return;
    WithWidget([&](QWidget* widget) {
        const QPoint p = widget->mapToGlobal(QPoint(point->x, point->y));
        *point = POINT{p.x(), p.y()};
    });
}

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL /*repaint*/)
{
    BOOL moved = FALSE;
    WithWidget([&](QWidget* widget) {
        const QRect target(x, y, std::max(width, 0), std::max(height, 0));
        if (widget->geometry() != target) widget->setGeometry(target);
        moved = TRUE;
    });
    return moved;
}

BOOL CWnd::SetWindowPos(const CWnd* /*insertAfter*/, int x, int y, int cx, int cy, UINT flags)
{
    BOOL moved = FALSE;
    WithWidget([&](QWidget* widget) {
        if (!(flags & SWP_NOMOVE) && widget->pos() != QPoint(x, y)) widget->move(x, y);
        if (const QSize size(std::max(cx, 0), std::max(cy, 0)); !(flags & SWP_NOSIZE) && widget->size() != size) {
            widget->resize(size);
        }
        moved = TRUE;
    });
    return moved;
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    HICON previous = nullptr;
    WithWidget([&](QWidget* widget) {
        HICON& slot = bigIcon ? m_bigIcon : m_smallIcon;
        previous = slot;
        slot = icon;
        // One window icon serves both sizes here; the large one wins.
        HICON shown = m_bigIcon ? m_bigIcon : m_smallIcon;
        widget->setWindowIcon(shown ? *shown : QIcon());
    });
    return previous;
}

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
    if (revert || !m_systemMenu) {
        m_systemMenu = std::make_unique<CMenu>();
        m_systemMenu->AppendMenu(MF_STRING, SC_MOVE, L"&Move");
        m_systemMenu->AppendMenu(MF_SEPARATOR);
        m_systemMenu->AppendMenu(MF_STRING, SC_CLOSE, L"&Close\tAlt+F4");
        if (revert) return nullptr;
    }
    return m_systemMenu.get();
}

void CWnd::TrackSystemMenu()
{
    if (!m_hWnd) return;
    CMenu* systemMenu = GetSystemMenu(FALSE);
    QMenu menu(m_hWnd.data());
    for (const auto& item : systemMenu->Items()) {
        if (item.flags & MF_SEPARATOR) {
            menu.addSeparator();
            continue;
        }
        QString text = QString::fromStdWString(item.text);
        const auto tab = text.indexOf(u'\t');
        QAction* action = menu.addAction(tab >= 0 ? text.left(tab) : text);
        if (tab >= 0) action->setShortcut(QKeySequence(text.mid(tab + 1)));
        action->setEnabled(!(item.flags & MF_GRAYED));
        action->setData(QVariant::fromValue(static_cast<qulonglong>(item.id)));
    }
    if (QAction* chosen = menu.exec(m_hWnd->mapToGlobal(QPoint(0, 0)))) {
        OnSysCommand(static_cast<UINT>(chosen->data().toULongLong()), 0);
    }
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!Postable(message)) {
        return FALSE;
    }
    BOOL posted = FALSE;
    WithWidget([&](QWidget* widget) {
        // Queued on the widget: a window destroyed before delivery drops it.
        QMetaObject::invokeMethod(
            widget,
            [this, message, wParam, lParam] {
                switch (message) {
                case WM_COMMAND:
                    OnCommand(LOWORD(wParam), HIWORD(wParam));
                    break;
                case WM_SYSCOMMAND:
                    OnSysCommand(static_cast<UINT>(wParam), lParam);
                    break;
                case WM_CLOSE:
                    OnSysCommand(SC_CLOSE, 0);
                    break;
                case WM_DEVICECHANGE:
                    OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam));
                    break;
                case WM_NCLBUTTONDOWN:
                    if (wParam == HTCAPTION) OnSysCommand(SC_MOVE, lParam);
                    break;
                default:
                    break;
                }
            },
            Qt::QueuedConnection);
        posted = TRUE;
    });
    return posted;
}

void CWnd::DestroyWindow()
{
    if (!m_hWnd) {
        return;
    }
    OnDestroy();
    DestroyChildWindows();
    for (auto& [id, timer] : m_timers) {
        delete timer.data();
    }
    m_timers.clear();
    m_controls.clear();
    QWidget* widget = m_hWnd.data();
    m_hWnd = nullptr;
    if (m_ownsWidget) {
        delete widget;
    }
    m_ownsWidget = false;
}
