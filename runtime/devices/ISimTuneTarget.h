#pragma once
// How a tune request reaches a simulated tuner: the DVB-S network provider
// asks the filter (or pin) connected to its output for ISimTuneTarget and
// hands it the request's values. A simulated tuner filter implements it.
#include "platform/com/Unknown.h"
#include "platform/dshow/TuningInterfaces.h"

namespace runtime {

// The values of one tune request, as the network provider read them from the
// request, its locator and its tuning space. kHz for frequencies; the symbol
// rate as the locator carries it (kSymbols/s); -1 or NOT_SET where the
// request leaves a value unset.
struct SimTuneRequest {
    LONG carrierFrequency = -1;
    LONG symbolRate = -1;
    Polarisation polarisation = BDA_POLARISATION_NOT_SET;
    FECMethod innerFEC = BDA_FEC_METHOD_NOT_SET;
    BinaryConvolutionCodeRate innerFECRate = BDA_BCC_RATE_NOT_SET;
    FECMethod outerFEC = BDA_FEC_METHOD_NOT_SET;
    BinaryConvolutionCodeRate outerFECRate = BDA_BCC_RATE_NOT_SET;
    ModulationType modulation = BDA_MOD_NOT_SET;
    LONG lowOscillator = -1;
    LONG highOscillator = -1;
    LONG lnbSwitch = -1;
    SpectralInversion spectralInversion = BDA_SPECTRAL_INVERSION_NOT_SET;
    LONG orbitalPosition = -1;
    bool westPosition = false;
    LONG onid = -1;
    LONG tsid = -1;
    LONG sid = -1;
};

struct ISimTuneTarget : IUnknown {
    // Tunes to the request; the result goes back to the application through
    // ITuner::put_TuneRequest. Called on the application's thread.
    virtual HRESULT STDMETHODCALLTYPE ApplyTuneRequest(const SimTuneRequest& request) = 0;

protected:
    ~ISimTuneTarget() = default;
};
KAVRO_DECLARE_IID(ISimTuneTarget, "{6C1E2B7A-3D5F-4E8B-9A41-2F7D0C8E5B13}");

} // namespace runtime
