#pragma once
// How a simulated receiver component recognises its own tuner. Kernel
// streaming pins that belong together carry the same medium (a medium set
// and an instance number); the tuner's output pin and its capture filter's
// input pin offer theirs through this interface, and the capture filter
// refuses a peer whose medium differs. So the program's "try each receiver
// component" loop connects only the capture filter of the chosen tuner.
#include "platform/com/Unknown.h"
#include "platform/dshow/BdaInterfaces.h"

namespace sim {

// The medium set of the Kavro tuner's output and capture input.
inline constexpr GUID KSMEDIUMSETID_KavroTuner = GuidLiteral("{5E0B8C21-7A43-4F6D-B1E9-2C8D4A6F3B57}");

struct ISimPinMedium : IUnknown {
    // The pin's medium. Any thread.
    virtual HRESULT STDMETHODCALLTYPE GetMedium(REGPINMEDIUM* pMedium) = 0;

protected:
    ~ISimPinMedium() = default;
};
KAVRO_DECLARE_IID(ISimPinMedium, "{9B7D3E15-2C6A-4B80-8F41-D3A9E0C57B26}");

// The medium of tuner instance n (the installer numbers its tuners from 1).
inline REGPINMEDIUM KavroTunerMedium(ULONG instance) { return REGPINMEDIUM{KSMEDIUMSETID_KavroTuner, instance, 0}; }

inline bool SameMedium(const REGPINMEDIUM& a, const REGPINMEDIUM& b)
{
    return a.clsMedium == b.clsMedium && a.dw1 == b.dw1 && a.dw2 == b.dw2;
}

} // namespace sim
