#include "platform/ui/DialogWindow.h"

#include "platform/ui/CDialog.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

DialogWindow::DialogWindow(CDialog* dialog, QWidget* owner) : QDialog(owner), m_dialog(dialog)
{
    // Only the close box: a dialog has no context help button, and it keeps
    // the size its template gives it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
}

void DialogWindow::BeginMove()
{
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        return; // the button is already up: there is nothing to drag
    }
    if (windowHandle() && windowHandle()->startSystemMove()) {
        return;
    }
    m_following = true;
    m_grabOffset = QCursor::pos() - frameGeometry().topLeft();
    grabMouse();
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    if (m_dialog->IsEnding()) {
        event->accept();
        return;
    }
    // The close box is a system command; the dialog decides whether it ends.
    event->ignore();
    m_dialog->OnSysCommand(SC_CLOSE, 0);
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return; // already routed to the dialog
    default:
        QWidget::keyPressEvent(event);
    }
}

void DialogWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        m_dialog->OnLButtonDown(0x0001 /* MK_LBUTTON */, POINT{at.x(), at.y()});
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void DialogWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (m_following) {
        move(QCursor::pos() - m_grabOffset);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void DialogWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_following && event->button() == Qt::LeftButton) {
        m_following = false;
        releaseMouse();
        event->accept();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void DialogWindow::reject()
{
    if (m_dialog->IsEnding()) {
        QDialog::reject();
        return;
    }
    m_dialog->OnSysCommand(SC_CLOSE, 0);
}
