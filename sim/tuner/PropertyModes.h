#pragma once
// How a simulated driver answers each of its properties. A world can make
// any property unsupported, failing or answering a positive success code;
// the defaults follow the device kind.
#include "platform/com/WinTypes.h"

#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace sim {

enum class PropertySet { Bda, Ctrl };
enum class PropertyMode {
    Supported,   // answers as the driver does
    Unsupported, // the support query and every call fail: no such property
    Fail,        // supported, but every get and set fails with E_FAIL
    Positive,    // supported, does its work and answers S_FALSE
};
// pcie: the BDA extension set on the input pin. usb: the control set on the filter.
enum class TunerKind { Pcie, Usb };

// "supported", "unsupported", "fail", "positive" (any case).
std::optional<PropertyMode> ParsePropertyMode(std::string_view text);
const char* PropertySetName(PropertySet set); // "BDA" or "CTRL"

class PropertyModes {
public:
    // A pcie driver supports every BDA property and no control property; a
    // usb driver every control property and no BDA property.
    explicit PropertyModes(TunerKind kind) : m_kind(kind) {}

    void Set(PropertySet set, ULONG id, PropertyMode mode) { m_modes[{set, id}] = mode; }
    PropertyMode Mode(PropertySet set, ULONG id) const;
    TunerKind Kind() const { return m_kind; }

private:
    TunerKind m_kind;
    std::map<std::pair<PropertySet, ULONG>, PropertyMode> m_modes;
};

} // namespace sim
