#pragma once
// The Kavro driver's two private property sets answered from a DVB frontend,
// with exactly the payloads of the driver protocol and the simulated
// driver's checks and journal lines (`ks query`, `ks get`, `ks set`):
//
//   DiSEqC (both sets)      a DiSEqC master command, tone off around it
//   media information       from the frontend's current parameters
//   input stream id         the DVB stream id (re-tunes)
//   scrambling code         the scrambling sequence index, root codes
//                           converted to gold (re-tunes)
//   stream type             TS only: a set asking for a generic stream
//                           answers as an unsupported property
//   MODCOD filter           not in the DVB API: an unsupported property
//
// The model decides the set, as on the cards: the PCI-E models answer the
// BDA extension set, the USB box the control set (with its probe).
//
// Sizes are checked exactly: shorter than the payload fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER), any other size with
// E_INVALIDARG; an unknown set with HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND),
// an unknown or unsupported property with HRESULT_FROM_WIN32(ERROR_NOT_FOUND).
//
// Thread-safe as the frontend is.
#include "dvb/DvbFrontend.h"
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

#include <memory>

namespace dvb {

inline constexpr DWORD kSupportGet = 1;
inline constexpr DWORD kSupportSet = 2;
inline constexpr HRESULT kPropSetUnsupported = HRESULT_FROM_WIN32(ERROR_SET_NOT_FOUND);
inline constexpr HRESULT kPropIdUnsupported = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
inline constexpr HRESULT kBufferTooSmall = HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);

// Which set the card answers.
enum class DriverSet { Bda, Ctrl };

class DvbDriver {
public:
    DvbDriver(std::shared_ptr<DvbFrontend> frontend, DriverSet set);

    HRESULT QuerySupported(REFGUID set, DWORD id, DWORD* typeSupport);
    HRESULT Get(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, void* value, DWORD valueSize,
                DWORD* returned);
    HRESULT Set(REFGUID set, DWORD id, const void* instance, DWORD instanceSize, const void* value, DWORD valueSize);

    struct Property;

private:
    const Property* Find(REFGUID set, DWORD id, HRESULT* failure) const;
    HRESULT DoGet(const Property& property, void* value, DWORD* returned);
    HRESULT DoSet(const Property& property, const void* value);

    std::shared_ptr<DvbFrontend> m_frontend;
    const DriverSet m_set;
};

} // namespace dvb
