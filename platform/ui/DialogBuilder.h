#pragma once
// Turns a dialog template into widgets inside a container (a dialog window or
// a property page): the container takes the template's font and client size,
// each control becomes one widget placed by its dialog-unit rectangle, named
// by its decimal id and tagged with id, kind and style (ControlWidget.h).
// User actions on the controls come back through `notify` as Windows
// notification codes; changes the program makes send none, except an edit's
// EN_CHANGE, which Windows sends for both. UI thread only.
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/DialogUnits.h"

#include <functional>
#include <vector>

class QWidget;

class DialogBuilder {
public:
    using NotifySink = std::function<void(int id, UINT notifyCode)>;

    // The widgets in template order. The container owns them.
    static std::vector<QWidget*> Build(const DialogTemplate& tmpl, QWidget* container, const NotifySink& notify);

    // The base units the container's font gives (after Build).
    static DialogBaseUnits BaseUnitsFor(const DialogTemplate& tmpl);
};
