#include "platform/ui/KeyRouter.h"

#include "platform/ui/CWnd.h"
#include "platform/ui/ControlWidget.h"
#include "platform/ui/DialogWindow.h"
#include "platform/ui/KeyRoutingParts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <vector>

namespace {

WPARAM VirtualKeyOf(const QKeyEvent* event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_F1:
        return VK_F1;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<WPARAM>(key); // Windows' codes for digits and letters are their ASCII
    }
    return 0;
}

QAbstractButton* DefaultButtonOf(const CWnd* wnd)
{
    for (const auto& control : wnd->Controls()) {
        QWidget* widget = control->GetSafeHwnd();
        if (widget && ControlKindOf(widget) == ControlKind::PushButton && (ControlStyleOf(widget) & BS_DEFPUSHBUTTON) &&
            widget->isVisibleTo(widget->window())) {
            return qobject_cast<QAbstractButton*>(widget);
        }
    }
    return nullptr;
}

class KeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
            return false;
        }
        auto* target = static_cast<QWidget*>(watched);
        // A key a control ignores travels on to its parents, through this
        // filter again; it is routed once, where it was first delivered.
        QWidget* focus = target->window()->focusWidget();
        if (focus ? target != focus : !target->isWindow()) {
            return false;
        }
        if (!dynamic_cast<DialogWindow*>(target->window())) {
            return false; // message boxes, menus, drop-down lists keep their keys
        }
        auto* key = static_cast<QKeyEvent*>(event);
        const WPARAM virtualKey = VirtualKeyOf(key);
        if (virtualKey == 0) {
            return false;
        }
        return RouteKeyPress(target, virtualKey, key->modifiers() & Qt::AltModifier);
    }
};

} // namespace

void InstallKeyRouter()
{
    static KeyFilter* filter = nullptr;
    if (filter || !qApp) {
        return;
    }
    filter = new KeyFilter(qApp);
    qApp->installEventFilter(filter);
}

std::vector<CWnd*> WindowsAround(HWND target)
{
    std::vector<CWnd*> chain;
    for (QWidget* widget = target; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        if (CWnd* wnd = WindowOf(widget)) {
            chain.push_back(wnd);
        }
    }
    return chain;
}

void PressEnter(HWND target, const std::vector<CWnd*>& chain)
{
    if (auto* focused = qobject_cast<QPushButton*>(target); focused && IsControl(focused)) {
        if (focused->isEnabled()) focused->click();
        return;
    }
    for (const CWnd* wnd : chain) {
        if (QAbstractButton* button = DefaultButtonOf(wnd)) {
            // A disabled default button swallows Enter, as on Windows.
            if (button->isEnabled()) button->click();
            return;
        }
    }
    chain.back()->SendCommand(IDOK, BN_CLICKED);
}

int HelpControlId(HWND target) { return IsControl(target) ? ControlIdOf(target) : 0; }
