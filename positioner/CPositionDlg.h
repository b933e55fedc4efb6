#pragma once
// The Motor/Positioner page (template 148), the third page of the main
// window's sheet: it steers a DiSEqC 1.2 positioner on the tuner's LNB cable.
// The motor buttons (Step, Drive, Stop, the limits, Goto and Store of a stored
// position) each send their message twice, first with the repeated-transmission
// framing 0xE1, then with 0xE0; "Go" turns the dish straight to a satellite by
// the USALS angle of the site's coordinates. The site is picked from
// CityList.txt (country, then city) and the satellite from the satellite files
// beside the program, or typed in. Every message goes through SendMotorCommand;
// nothing is read back from the positioner.
//
// The page object lives as long as the main window object; its window is made
// the first time its tab is shown. The five kept texts describe the last "Go"
// and are shown again only when the window is made again; they are never
// saved to a file. UI thread.
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CPropertyPage.h"
#include "positioner/DiseqcPositioner.h"

#include <string>

// The page's template and control ids.
inline constexpr int IDD_MOTOR_POSITIONER = 148;

inline constexpr int IDC_COUNTRY = 1092;
inline constexpr int IDC_CITY = 1086;
inline constexpr int IDC_LATITUDE = 1068;
inline constexpr int IDC_LONGITUDE = 1021;
inline constexpr int IDC_SATELLITE = 1093;
inline constexpr int IDC_GO = 1115;
inline constexpr int IDC_POSITION = 1098;
inline constexpr int IDC_POSITION_SPIN = 1097;
inline constexpr int IDC_GOTO = 1002;
inline constexpr int IDC_STEP_EAST = 1100;
inline constexpr int IDC_STEP_WEST = 1004;
inline constexpr int IDC_STOP = 1003;
inline constexpr int IDC_DRIVE_EAST = 1101;
inline constexpr int IDC_DRIVE_WEST = 1102;
inline constexpr int IDC_STORE = 1099;
inline constexpr int IDC_LIMIT_EAST = 1005;
inline constexpr int IDC_LIMIT_WEST = 1006;
inline constexpr int IDC_LIMITS_OFF = 1007;

class CPositionDlg : public CPropertyPage {
public:
    CPositionDlg();

    static DialogTemplate Template();

    // Fill the Country box with each country of CityList.txt once (names
    // compared whole, without regard to case) and select the first; a missing
    // file leaves the box empty, silently.
    void LoadCountries();
    // Fill the City box with the cities of the selected country (its first
    // group of lines) and select the first; the Latitude and Longitude boxes
    // take the country's first line. A missing file empties the City box only.
    void LoadCities();
    // The Latitude and Longitude boxes take the selected city's line (the last
    // equal one of its group); "open file error!" when the file is missing.
    void ShowCityPosition();
    // Fill the Satellite box from the satellite files, select the first entry,
    // then re-select the kept satellite.
    void LoadSatellites();
    // Validates, computes and sends the goto-angle command once; on a bad input
    // or an unreachable satellite shows its box (caption "Error", stop icon)
    // and sends nothing.
    //   satelliteCode: tenths of a degree east, codes above 1800 western
    //   siteLongitude, siteLatitude: degrees, east and north positive
    void UsalsGoto(double satelliteCode, double siteLongitude, double siteLatitude);

    // Kept by "Go", shown again by the page's initialisation; empty at first.
    std::wstring m_strSatellite;
    std::wstring m_strCountry;
    std::wstring m_strCity;
    std::wstring m_strLatitude;
    std::wstring m_strLongitude;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

private:
    void OnGo();
    // The command's message with framing 0xE1, then with 0xE0; results ignored.
    void SendTwice(MotorCommand command);
    // Selects the first entry that begins with kept (letters without regard to
    // case), searching from the second entry round to the first; an empty kept
    // text or no match leaves the selection as it is.
    static void Reselect(CComboBox& box, const std::wstring& kept);

    CEdit m_cPosition;
    CComboBox m_cSatellite;
    CComboBox m_cCountry;
    CComboBox m_cCity;
    CEdit m_cLatitude;
    CEdit m_cLongitude;
};
