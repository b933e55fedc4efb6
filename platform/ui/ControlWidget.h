#pragma once
// How the toolkit marks and reads the widgets it builds: every control widget
// carries its id, kind and style; every window that hosts controls (dialog,
// page, sheet) carries the CWnd it belongs to. UI thread only.
#include "platform/ui/ControlKindName.h"
#include "platform/ui/DialogTemplate.h"

#include <QString>
#include <QStringList>

class CWnd;
class QLineEdit;
class QWidget;

void TagControl(QWidget* widget, int id, ControlKind kind, DWORD style);
bool IsControl(const QWidget* widget);
int ControlIdOf(const QWidget* widget);
ControlKind ControlKindOf(const QWidget* widget);
DWORD ControlStyleOf(const QWidget* widget);

void TagWindow(QWidget* widget, CWnd* wnd);
CWnd* WindowOf(const QWidget* widget); // nullptr when untagged

// The control's window text as GetWindowText gives it: a caption with its
// '&' marks, an edit's text, a combo's edit or selected text; empty for lists.
QString ControlText(const QWidget* widget);
// Sets it as WM_SETTEXT would; a text the control already shows is not set
// again, so nothing is repainted and no change is notified.
void SetControlText(QWidget* widget, const QString& text);
// An edit that shows this text as the program set it (not edited since).
bool HoldsEditText(const QLineEdit* edit, const QString& text);

// The items of a list or combo control, in order.
QStringList ControlItems(const QWidget* widget);
// The selected index of a list or combo control, -1 for none.
int ControlSelection(const QWidget* widget);

// A caption as Windows draws it: "&&" shows one '&', a single '&' marks the
// next letter and is not shown.
QString WithoutMnemonics(const QString& text);
