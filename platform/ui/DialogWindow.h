#pragma once
// The widget of a modal dialog: a QDialog that hands its window events to its
// CDialog (close box, free-area clicks, moves) instead of deciding itself.
// Enter and Escape reach the CDialog through the key router. UI thread only.
#include <QDialog>
#include <QPoint>

class CDialog;

class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* dialog, QWidget* owner);

    // Moves the window with the mouse while the left button stays down: by
    // the window system when it can, else by following the cursor.
    void BeginMove();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void reject() override;

private:
    CDialog* m_dialog;
    bool m_following = false;
    QPoint m_grabOffset;
};
