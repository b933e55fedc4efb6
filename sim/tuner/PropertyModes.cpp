#include "sim/tuner/PropertyModes.h"

#include "sim/tuner/IniText.h"

namespace sim {

std::optional<PropertyMode> ParsePropertyMode(std::string_view text)
{
    text = Trim(text);
    if (EqualsNoCase(text, "supported")) return PropertyMode::Supported;
    if (EqualsNoCase(text, "unsupported")) return PropertyMode::Unsupported;
    if (EqualsNoCase(text, "fail")) return PropertyMode::Fail;
    if (EqualsNoCase(text, "positive")) return PropertyMode::Positive;
    return std::nullopt;
}

const char* PropertySetName(PropertySet set) { return set == PropertySet::Bda ? "BDA" : "CTRL"; }

PropertyMode PropertyModes::Mode(PropertySet set, ULONG id) const
{
    if (const auto it = m_modes.find({set, id}); it != m_modes.end()) {
        return it->second;
    }
    const bool native = (set == PropertySet::Bda) == (m_kind == TunerKind::Pcie);
    return native ? PropertyMode::Supported : PropertyMode::Unsupported;
}

} // namespace sim
