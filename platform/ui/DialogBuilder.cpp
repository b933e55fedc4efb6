#include "platform/ui/DialogBuilder.h"

#include "platform/ui/ControlWidget.h"
#include "platform/ui/Resources.h"
#include "platform/ui/UpDownControl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>

namespace {

constexpr const char* kRadioGroup = "kavroRadioGroup";

QString Text(const ControlTemplate& control) { return QString::fromStdWString(control.text); }

Qt::Alignment StaticAlignment(DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return Qt::AlignHCenter | Qt::AlignTop;
    case SS_RIGHT:
        return Qt::AlignRight | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

// A click on an auto radio button selects it and clears the others of its
// group (the run of controls from one WS_GROUP to the next), as Windows does;
// a click on the selected one leaves it selected.
void SelectRadio(QRadioButton* chosen)
{
    const QVariant group = chosen->property(kRadioGroup);
    for (QRadioButton* other :
         chosen->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (other != chosen && other->property(kRadioGroup) == group) {
            other->setChecked(false);
        }
    }
    chosen->setChecked(true);
}

QWidget* MakePicture(const ControlTemplate& control, QWidget* parent, QRect& geometry)
{
    auto* label = new QLabel(parent);
    QPixmap image;
    if ((control.style & SS_TYPEMASK) == SS_ICON) {
        if (HICON icon = Resources::Icon(control.image)) image = icon->pixmap(32, 32);
    } else if (HBITMAP bitmap = Resources::Bitmap(control.image)) {
        image = *bitmap;
    }
    if (!image.isNull()) {
        label->setPixmap(image);
        // A picture control takes its image's size, as on Windows.
        geometry.setSize(image.deviceIndependentSize().toSize());
    }
    return label;
}

QWidget* MakeCombo(const ControlTemplate& control, QWidget* parent, QRect& geometry,
                   const DialogBuilder::NotifySink& notify)
{
    auto* combo = new QComboBox(parent);
    const int id = control.id;
    if ((control.style & 0x3) == CBS_DROPDOWN) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                         [notify, id] { notify(id, CBN_EDITCHANGE); });
    }
    // The template's height is that of the dropped-down list; the closed box
    // is one line high.
    const int fieldHeight = std::min(geometry.height(), combo->sizeHint().height());
    const int itemHeight = combo->fontMetrics().height() + 2;
    combo->setMaxVisibleItems(std::max(1, (geometry.height() - fieldHeight) / std::max(1, itemHeight)));
    geometry.setHeight(fieldHeight);
    QObject::connect(combo, &QComboBox::activated, combo, [notify, id] { notify(id, CBN_SELCHANGE); });
    return combo;
}

QWidget* MakeList(const ControlTemplate& control, QWidget* parent, const DialogBuilder::NotifySink& notify)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy((control.style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (control.style & LBS_NOTIFY) {
        const int id = control.id;
        // After the selection has moved, so the handler reads the new one.
        QObject::connect(list, &QListWidget::itemSelectionChanged, list, [notify, id] { notify(id, LBN_SELCHANGE); });
        QObject::connect(list, &QListWidget::itemDoubleClicked, list, [notify, id] { notify(id, LBN_DBLCLK); });
    }
    return list;
}

QWidget* MakeEdit(const ControlTemplate& control, QWidget* parent, const DialogBuilder::NotifySink& notify)
{
    auto* edit = new QLineEdit(parent);
    if (control.style & ES_NUMBER) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    }
    if (control.style & ES_READONLY) {
        edit->setReadOnly(true);
        // Windows greys a read-only field's background.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
    }
    const int id = control.id;
    QObject::connect(edit, &QLineEdit::textChanged, edit, [notify, id] { notify(id, EN_CHANGE); });
    return edit;
}

QWidget* MakeButton(const ControlTemplate& control, QWidget* parent, int radioGroup,
                    const DialogBuilder::NotifySink& notify)
{
    const int id = control.id;
    switch (control.kind) {
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(Text(control), parent);
        QObject::connect(check, &QCheckBox::clicked, check, [notify, id] { notify(id, BN_CLICKED); });
        return check;
    }
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(Text(control), parent);
        radio->setAutoExclusive(false);
        radio->setProperty(kRadioGroup, radioGroup);
        QObject::connect(radio, &QRadioButton::clicked, radio, [radio, notify, id] {
            SelectRadio(radio);
            notify(id, BN_CLICKED);
        });
        return radio;
    }
    default: {
        auto* button = new QPushButton(Text(control), parent);
        button->setAutoDefault(false);
        button->setDefault((control.style & BS_DEFPUSHBUTTON) != 0);
        QObject::connect(button, &QPushButton::clicked, button, [notify, id] { notify(id, BN_CLICKED); });
        return button;
    }
    }
}

} // namespace

DialogBaseUnits DialogBuilder::BaseUnitsFor(const DialogTemplate& tmpl) { return BaseUnitsOf(DialogFont(tmpl)); }

std::vector<QWidget*> DialogBuilder::Build(const DialogTemplate& tmpl, QWidget* container, const NotifySink& notify)
{
    const QFont font = DialogFont(tmpl);
    const DialogBaseUnits base = BaseUnitsOf(font);
    container->setFont(font);
    container->resize(MapDialogSize(tmpl.cx, tmpl.cy, base));

    std::vector<QWidget*> widgets;
    widgets.reserve(tmpl.controls.size());
    int radioGroup = 0;
    QWidget* previous = nullptr;
    for (const ControlTemplate& control : tmpl.controls) {
        if (control.style & WS_GROUP) {
            ++radioGroup;
        }
        QRect geometry = MapDialogRect(control.rect, base);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(container);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(StaticAlignment(control.style));
            label->setWordWrap(true);
            if (control.style & SS_SUNKEN) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            widget = label;
            break;
        }
        case ControlKind::GroupBox:
            widget = new QGroupBox(Text(control), container);
            break;
        case ControlKind::Line: {
            auto* line = new QFrame(container);
            line->setFrameShape(geometry.width() >= geometry.height() ? QFrame::HLine : QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            if (geometry.height() < 2) geometry.setHeight(2);
            widget = line;
            break;
        }
        case ControlKind::Edit:
            widget = MakeEdit(control, container, notify);
            break;
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            widget = MakeButton(control, container, radioGroup, notify);
            break;
        case ControlKind::ListBox:
            widget = MakeList(control, container, notify);
            break;
        case ControlKind::ComboBox:
            widget = MakeCombo(control, container, geometry, notify);
            break;
        case ControlKind::Progress: {
            auto* bar = new QProgressBar(container);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            widget = bar;
            break;
        }
        case ControlKind::UpDown: {
            auto* updown = new UpDownControl(control.style, container);
            auto* buddy = qobject_cast<QLineEdit*>(previous);
            if ((control.style & UDS_AUTOBUDDY) && buddy) {
                updown->SetBuddy(buddy);
                if (control.style & UDS_ALIGNRIGHT) {
                    // Windows narrows the buddy and sets the arrows against
                    // its right edge, at the buddy's height.
                    QRect buddyRect = buddy->geometry();
                    buddyRect.setWidth(std::max(1, buddyRect.width() - geometry.width()));
                    buddy->setGeometry(buddyRect);
                    geometry = QRect(buddyRect.right() + 1, buddyRect.top(), geometry.width(), buddyRect.height());
                }
            }
            widget = updown;
            break;
        }
        case ControlKind::Picture:
            widget = MakePicture(control, container, geometry);
            break;
        }
        TagControl(widget, control.id, control.kind, control.style);
        if (control.kind == ControlKind::Static) {
            SetControlText(widget, Text(control));
        }
        widget->setGeometry(geometry);
        widget->setEnabled(!(control.style & WS_DISABLED));
        if (control.hidden) {
            widget->setVisible(false);
        }
        widgets.push_back(widget);
        previous = widget;
    }
    // Frames stay behind the controls they surround.
    for (QWidget* widget : widgets) {
        const ControlKind kind = ControlKindOf(widget);
        if (kind == ControlKind::GroupBox || kind == ControlKind::Line) {
            widget->lower();
        }
    }
    return widgets;
}
