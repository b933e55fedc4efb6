#include "platform/ui/win32/DialogBytes.h"

#include <string>

namespace {

// The predefined classes' ordinals in a dialog template.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kListBoxClass = 0x0083;
constexpr WORD kComboBoxClass = 0x0085;

class Writer {
public:
    void Word(WORD value) { m_words.push_back(value); }
    void Dword(DWORD value)
    {
        Word(static_cast<WORD>(value & 0xFFFF));
        Word(static_cast<WORD>(value >> 16));
    }
    void Short(int value) { Word(static_cast<WORD>(static_cast<short>(value))); }
    void Text(const std::wstring& text)
    {
        for (wchar_t c : text) Word(static_cast<WORD>(c));
        Word(0);
    }
    void AlignDword()
    {
        if (m_words.size() % 2) Word(0);
    }
    std::vector<DWORD> Take()
    {
        AlignDword();
        std::vector<DWORD> out(m_words.size() / 2);
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = static_cast<DWORD>(m_words[2 * i]) | (static_cast<DWORD>(m_words[2 * i + 1]) << 16);
        }
        return out;
    }

private:
    std::vector<WORD> m_words;
};

// The class: an ordinal for the predefined ones, else its name.
void WriteClass(Writer& out, ControlKind kind)
{
    auto ordinal = [&](WORD value) {
        out.Word(0xFFFF);
        out.Word(value);
    };
    switch (kind) {
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return ordinal(kButtonClass);
    case ControlKind::Edit:
        return ordinal(kEditClass);
    case ControlKind::ListBox:
        return ordinal(kListBoxClass);
    case ControlKind::ComboBox:
        return ordinal(kComboBoxClass);
    case ControlKind::Progress:
        return out.Text(PROGRESS_CLASSW);
    case ControlKind::UpDown:
        return out.Text(UPDOWN_CLASSW);
    case ControlKind::Static:
    case ControlKind::Line:
    case ControlKind::Picture:
        return ordinal(kStaticClass);
    }
}

} // namespace

DWORD ControlWindowStyle(const ControlTemplate& control)
{
    DWORD style = control.style | WS_CHILD;
    if (!control.hidden) style |= WS_VISIBLE;
    switch (control.kind) {
    case ControlKind::GroupBox:
        style = (style & ~0xFu) | BS_GROUPBOX;
        break;
    case ControlKind::Line:
        style = (style & ~static_cast<DWORD>(SS_TYPEMASK)) |
            (control.rect.cx >= control.rect.cy ? SS_ETCHEDHORZ : SS_ETCHEDVERT);
        break;
    case ControlKind::Edit:
        // Framed, and scrolling with the caret: a text longer than the field
        // is taken whole, as the Qt toolkit's edits take it.
        style |= WS_BORDER | ES_AUTOHSCROLL;
        break;
    case ControlKind::PushButton:
        style = (style & ~0xFu) | ((control.style & BS_DEFPUSHBUTTON) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::CheckBox:
        style = (style & ~0xFu) | BS_AUTOCHECKBOX;
        break;
    case ControlKind::RadioButton:
        style = (style & ~0xFu) | BS_AUTORADIOBUTTON;
        break;
    case ControlKind::ListBox:
        style |= WS_BORDER | LBS_NOINTEGRALHEIGHT;
        break;
    case ControlKind::ComboBox:
        style |= WS_VSCROLL;
        break;
    case ControlKind::Static:
    case ControlKind::Progress:
    case ControlKind::UpDown:
        break;
    case ControlKind::Picture:
        style |= SS_REALSIZEIMAGE;
        break;
    }
    return style;
}

std::vector<DWORD> DialogBytes(const DialogTemplate& tmpl, DialogRole role)
{
    Writer out;
    const DWORD style = role == DialogRole::Modal ? (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT)
                                                  : (WS_CHILD | DS_CONTROL | DS_SETFONT);
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: the extended form
    out.Dword(0);     // helpID
    out.Dword(role == DialogRole::Page ? WS_EX_CONTROLPARENT : 0);
    out.Dword(style);
    out.Word(static_cast<WORD>(tmpl.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(tmpl.cx);
    out.Short(tmpl.cy);
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(tmpl.caption);
    out.Word(static_cast<WORD>(tmpl.fontPointSize));
    out.Word(FW_NORMAL);
    out.Word(0x0100); // not italic; DEFAULT_CHARSET (1) in the high byte
    out.Text(tmpl.fontName);
    for (const ControlTemplate& control : tmpl.controls) {
        out.AlignDword();
        out.Dword(0); // helpID
        out.Dword(0); // exStyle
        out.Dword(ControlWindowStyle(control));
        out.Short(control.rect.x);
        out.Short(control.rect.y);
        out.Short(control.rect.cx);
        out.Short(control.rect.cy);
        out.Dword(static_cast<DWORD>(control.id));
        WriteClass(out, control.kind);
        // Pictures get their image after creation (Resources::Icon); lists,
        // combos and edits have no caption.
        const bool captioned = control.kind != ControlKind::Picture && control.kind != ControlKind::ListBox &&
            control.kind != ControlKind::ComboBox && control.kind != ControlKind::Edit;
        out.Text(captioned ? control.text : std::wstring());
        out.Word(0); // no creation data
    }
    return out.Take();
}
