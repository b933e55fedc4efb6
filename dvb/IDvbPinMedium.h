#pragma once
// How a DVB capture filter recognises its own tuner: the tuner's output pin
// and the capture filter's input pin carry the same medium (the adapter's
// number), and the capture filter refuses any other peer. So the program's
// "try each receiver component" loop connects only the capture filter of the
// chosen frontend.
#include "platform/com/Unknown.h"
#include "platform/dshow/BdaInterfaces.h"

namespace dvb {

inline constexpr GUID KSMEDIUMSETID_DvbAdapter = GuidLiteral("{2B64F0D3-1C8A-4E97-B5D2-7A0E93C4F618}");

struct IDvbPinMedium : IUnknown {
    // The pin's medium. Any thread.
    virtual HRESULT STDMETHODCALLTYPE GetMedium(REGPINMEDIUM* pMedium) = 0;

protected:
    ~IDvbPinMedium() = default;
};
KAVRO_DECLARE_IID(IDvbPinMedium, "{D5A83E61-0F2C-4B7D-9E14-6C3B8A7F02D9}");

// The medium of tuner n (the installer numbers its tuners from 1).
inline REGPINMEDIUM DvbTunerMedium(ULONG instance) { return REGPINMEDIUM{KSMEDIUMSETID_DvbAdapter, instance, 0}; }

inline bool SameMedium(const REGPINMEDIUM& a, const REGPINMEDIUM& b)
{
    return a.clsMedium == b.clsMedium && a.dw1 == b.dw1 && a.dw2 == b.dw2;
}

} // namespace dvb
