#include "positioner/CPositionDlg.h"

#include "process/ProgramDirectory.h"
#include "platform/com/WideText.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/ItemTextSet.h"
#include "platform/ui/MessageBox.h"
#include "positioner/CityList.h"
#include "positioner/PositionerSender.h"
#include "positioner/SatelliteEntry.h"
#include "positioner/SatelliteFiles.h"
#include "positioner/TextNumber.h"
#include "positioner/Usals.h"

namespace {

constexpr DWORD kEditableSortedCombo = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;

std::wstring CityListPath() { return programDirectory + L"\\CityList.txt"; }

std::wstring SelectedText(const CComboBox& box)
{
    std::wstring text;
    const int selected = box.GetCurSel();
    if (selected != CB_ERR) {
        box.GetLBText(selected, text);
    }
    return text;
}

ControlTemplate Label(const wchar_t* text, int x, int y, int cx)
{
    return {IDC_STATIC, ControlKind::Static, text, {x, y, cx, 8}, SS_LEFT};
}

ControlTemplate Button(int id, const wchar_t* text, int x, int y, DWORD style = WS_TABSTOP)
{
    return {id, ControlKind::PushButton, text, {x, y, 46, 15}, style};
}

} // namespace

DialogTemplate CPositionDlg::Template()
{
    DialogTemplate t;
    t.id = IDD_MOTOR_POSITIONER;
    t.caption = L"Motor/Positioner";
    t.cx = 281;
    t.cy = 155;
    t.controls = {
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 0, 262, 75}},
        Label(L"Country:", 27, 8, 60),
        {IDC_COUNTRY, ControlKind::ComboBox, L"", {27, 18, 111, 110}, kEditableSortedCombo},
        Label(L"City:", 159, 8, 60),
        {IDC_CITY, ControlKind::ComboBox, L"", {159, 18, 97, 100}, kEditableSortedCombo},
        Label(L"Latitude:", 62, 38, 34),
        {IDC_LATITUDE, ControlKind::Edit, L"", {98, 35, 42, 15}, kEdit},
        Label(L"Longitude:", 170, 38, 40),
        {IDC_LONGITUDE, ControlKind::Edit, L"", {212, 35, 42, 15}, kEdit},
        Label(L"Satellite:", 29, 48, 60),
        {IDC_SATELLITE, ControlKind::ComboBox, L"", {29, 57, 148, 78}, kEditableSortedCombo},
        {IDC_GO, ControlKind::PushButton, L"Go", {209, 55, 50, 15}, BS_DEFPUSHBUTTON | WS_TABSTOP},
        {IDC_STATIC, ControlKind::GroupBox, L"", {6, 76, 192, 75}},
        Label(L"Position:", 37, 93, 34),
        {IDC_POSITION, ControlKind::Edit, L"", {73, 90, 46, 15}, kEdit},
        {IDC_POSITION_SPIN,
         ControlKind::UpDown,
         L"",
         {119, 93, 11, 18},
         UDS_WRAP | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
        Button(IDC_GOTO, L"Goto", 135, 90),
        Button(IDC_STEP_EAST, L"Step East", 25, 111),
        Button(IDC_STEP_WEST, L"Step West", 81, 111),
        Button(IDC_STOP, L"Stop", 135, 111),
        Button(IDC_DRIVE_EAST, L"Drive East", 25, 131),
        Button(IDC_DRIVE_WEST, L"Drive West", 81, 131),
        Button(IDC_STORE, L"Store", 135, 131),
        {IDC_STATIC, ControlKind::GroupBox, L"Limits", {200, 77, 68, 75}},
        Button(IDC_LIMIT_EAST, L"East", 210, 90),
        Button(IDC_LIMIT_WEST, L"West", 210, 111),
        Button(IDC_LIMITS_OFF, L"Reset", 210, 131),
    };
    return t;
}

CPositionDlg::CPositionDlg() : CPropertyPage(Template())
{
    struct MotorButton {
        int id;
        MotorCommand command;
    };
    static constexpr MotorButton kMotorButtons[] = {
        {IDC_STEP_EAST, MotorCommand::StepEast},
        {IDC_STEP_WEST, MotorCommand::StepWest},
        {IDC_DRIVE_EAST, MotorCommand::DriveEast},
        {IDC_DRIVE_WEST, MotorCommand::DriveWest},
        {IDC_STOP, MotorCommand::Halt},
        {IDC_LIMIT_EAST, MotorCommand::LimitEast},
        {IDC_LIMIT_WEST, MotorCommand::LimitWest},
        {IDC_LIMITS_OFF, MotorCommand::LimitsOff},
        {IDC_GOTO, MotorCommand::GotoPosition},
        {IDC_STORE, MotorCommand::StorePosition},
    };
    for (const MotorButton& button : kMotorButtons) {
        MapClicked(button.id, [this, command = button.command] { SendTwice(command); });
    }
    MapClicked(IDC_GO, [this] { OnGo(); });
    // Only a choice from the list reloads; typing into the boxes does not.
    MapCommand(IDC_COUNTRY, CBN_SELCHANGE, [this] { LoadCities(); });
    MapCommand(IDC_CITY, CBN_SELCHANGE, [this] { ShowCityPosition(); });
}

void CPositionDlg::DoDataExchange(CDataExchange* dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_POSITION, m_cPosition);
    DDX_Control(dx, IDC_SATELLITE, m_cSatellite);
    DDX_Control(dx, IDC_COUNTRY, m_cCountry);
    DDX_Control(dx, IDC_CITY, m_cCity);
    DDX_Control(dx, IDC_LATITUDE, m_cLatitude);
    DDX_Control(dx, IDC_LONGITUDE, m_cLongitude);
}

BOOL CPositionDlg::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    LoadCountries();
    LoadSatellites();
    Reselect(m_cCountry, m_strCountry);
    LoadCities();
    Reselect(m_cCity, m_strCity);
    // Before any "Go" these are empty, whatever LoadCities showed.
    m_cLatitude.SetWindowText(m_strLatitude.c_str());
    m_cLongitude.SetWindowText(m_strLongitude.c_str());
    return TRUE;
}

void CPositionDlg::LoadCountries()
{
    m_cCountry.ResetContent();
    const auto countries = CityListCountries(CityListPath());
    if (!countries) {
        return;
    }
    // A whole-name match without regard to case, as FindStringExact over the
    // box would find (a prefix test would drop "Niger" after "Nigeria"); kept
    // beside the box so that a long list loads in n log n, not n squared.
    ItemTextSet listed;
    for (const std::string& country : *countries) {
        // A line without a tab names no country; an empty entry would sort first
        // and be the page's country.
        if (country.empty()) {
            continue;
        }
        const std::wstring name = FromUtf8(country);
        if (listed.Add(name)) {
            m_cCountry.AddString(name.c_str());
        }
    }
    m_cCountry.SetCurSel(0);
}

void CPositionDlg::LoadCities()
{
    m_cCity.ResetContent();
    const auto cities = CityListCities(CityListPath(), ToUtf8(SelectedText(m_cCountry)));
    if (!cities) {
        return;
    }
    for (const std::string& city : cities->cities) {
        m_cCity.AddString(FromUtf8(city).c_str());
    }
    // The country's first line in the file, which is the selected city only when
    // the file lists the cities in sorted order.
    if (cities->first) {
        m_cLatitude.SetWindowText(FromUtf8(cities->first->latitude).c_str());
        m_cLongitude.SetWindowText(FromUtf8(cities->first->longitude).c_str());
    }
    m_cCity.SetCurSel(0);
}

void CPositionDlg::ShowCityPosition()
{
    const auto position =
        CityListPosition(CityListPath(), ToUtf8(SelectedText(m_cCountry)), ToUtf8(SelectedText(m_cCity)));
    if (!position) {
        AfxMessageBox(L"open file error!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (*position) {
        m_cLatitude.SetWindowText(FromUtf8((*position)->latitude).c_str());
        m_cLongitude.SetWindowText(FromUtf8((*position)->longitude).c_str());
    }
}

void CPositionDlg::LoadSatellites()
{
    m_cSatellite.ResetContent();
    for (const std::wstring& entry : SatelliteListEntries(programDirectory)) {
        m_cSatellite.AddString(entry.c_str());
    }
    m_cSatellite.SetCurSel(0);
    Reselect(m_cSatellite, m_strSatellite);
}

void CPositionDlg::Reselect(CComboBox& box, const std::wstring& kept)
{
    if (!kept.empty()) {
        box.SelectString(0, kept.c_str());
    }
}

void CPositionDlg::OnGo()
{
    m_strSatellite = m_cSatellite.GetWindowText();
    m_strLatitude = m_cLatitude.GetWindowText();
    m_strLongitude = m_cLongitude.GetWindowText();
    m_strCountry = m_cCountry.GetWindowText();
    m_strCity = m_cCity.GetWindowText();
    // Converted in the "C" locale: the user's locale may not read "48.86".
    UsalsGoto(SatelliteCodeFromText(ToUtf8(m_strSatellite)), TextToDouble(ToUtf8(m_strLongitude)),
              TextToDouble(ToUtf8(m_strLatitude)));
}

void CPositionDlg::UsalsGoto(double satelliteCode, double siteLongitude, double siteLatitude)
{
    const UsalsCommand command = UsalsGotoCommand(satelliteCode, siteLongitude, siteLatitude);
    if (command.outcome != UsalsOutcome::Send) {
        MessageBox(FromUtf8(UsalsMessageText(command.outcome)).c_str(), FromUtf8(kUsalsErrorCaption).c_str(),
                   MB_OK | MB_ICONSTOP);
        return;
    }
    SendMotorCommand(command.message.data(), command.message.size());
}

void CPositionDlg::SendTwice(MotorCommand command)
{
    // Only Goto and Store carry the number; reading the box changes nothing.
    const std::uint8_t position = PositionNumberFromText(ToUtf8(m_cPosition.GetWindowText()));
    for (const std::uint8_t framing : {kDiseqcFramingRepeat, kDiseqcFramingFirst}) {
        const PositionerMessage message = MotorCommandMessage(command, framing, position);
        SendMotorCommand(message.bytes.data(), message.length);
    }
}
