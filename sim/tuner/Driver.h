#pragma once
// The simulated Kavro driver: both private property sets with exactly their
// payloads, in front of one demodulator. The calls mirror IKsPropertySet
// (QuerySupported, Get, Set) so the filter and pin that expose the interface
// only forward. Every call writes its "ks" journal line.
//
// Sizes are checked exactly: a buffer shorter than the payload fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), any other size with
// E_INVALIDARG. An unknown set fails with HRESULT_FROM_WIN32(
// ERROR_SET_NOT_FOUND), an unknown or unsupported property (or a get of a
// set-only one) with HRESULT_FROM_WIN32(ERROR_NOT_FOUND). Payload values out
// of range fail with E_INVALIDARG and change nothing.
//
// Thread-safe: calls may come from several threads at once. The demodulator
// outlives the driver.
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"
#include "sim/tuner/Demodulator.h"
#include "sim/tuner/PropertyModes.h"

namespace sim {

// Support flags of QuerySupported, as the kernel-streaming property
// interface defines them.
inline constexpr DWORD kSupportGet = 1;
inline constexpr DWORD kSupportSet = 2;

inline constexpr HRESULT kPropSetUnsupported = HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND);
inline constexpr HRESULT kPropIdUnsupported = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
inline constexpr HRESULT kBufferTooSmall = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);

class Driver {
public:
    Driver(Demodulator& demodulator, PropertyModes modes);

    HRESULT QuerySupported(REFGUID set, DWORD id, DWORD* typeSupport);
    HRESULT Get(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, void* value, DWORD valueSize,
                DWORD* returned);
    HRESULT Set(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* value, DWORD valueSize);

    // One row of the driver's property table.
    struct Property;

private:
    // The property, or the failure of a call for it.
    const Property* Find(REFGUID set, DWORD id, HRESULT* failure) const;
    HRESULT DoGet(const Property& property, void* value, DWORD* returned);
    HRESULT DoSet(const Property& property, const void* value);

    Demodulator& m_demodulator;
    const PropertyModes m_modes;
};

} // namespace sim
