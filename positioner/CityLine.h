#pragma once
// One line of CityList.txt, the site list beside the program:
// country TAB city TAB latitude TAB longitude. Latitude and longitude stay text: the
// page shows them unchanged and converts them only when "Go" is pressed. Pure; any
// thread.
#include <string>
#include <string_view>

struct CityLine {
    std::string country;
    std::string city;
    std::string latitude;  // decimal degrees as written, north positive
    std::string longitude; // decimal degrees as written, east positive; the rest of the line
};

// Cuts a line read without its line feed at single tab characters: the country is the
// text before the first tab, the city the text between the first and the second, the
// latitude the text between the second and the third, the longitude everything after
// the third (further tabs included). No field is trimmed. A field whose tab is missing
// is empty: a line without any tab has an empty country, "France<TAB>Paris" has a
// country and nothing else. The carriage return that Windows line ends leave at the
// end of the line is dropped first, so it never reaches a field.
CityLine SplitCityLine(std::string_view line);
