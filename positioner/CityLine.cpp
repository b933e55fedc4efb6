#include "positioner/CityLine.h"

#include <array>
#include <cstddef>

CityLine SplitCityLine(std::string_view line)
{
    // A file written with CR LF and read where text mode keeps the CR.
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }

    // Positions of the first three tabs; npos where the line has fewer.
    std::array<std::size_t, 3> tab{std::string_view::npos, std::string_view::npos, std::string_view::npos};
    std::size_t from = 0;
    for (auto& position : tab) {
        position = line.find('\t', from);
        if (position == std::string_view::npos) {
            break;
        }
        from = position + 1;
    }

    // Each field exists only when the tab that ends it (the one that starts it, for the
    // longitude) does.
    CityLine fields;
    if (tab[0] != std::string_view::npos) {
        fields.country = line.substr(0, tab[0]);
    }
    if (tab[1] != std::string_view::npos) {
        fields.city = line.substr(tab[0] + 1, tab[1] - tab[0] - 1);
    }
    if (tab[2] != std::string_view::npos) {
        fields.latitude = line.substr(tab[1] + 1, tab[2] - tab[1] - 1);
        fields.longitude = line.substr(tab[2] + 1);
    }
    return fields;
}
