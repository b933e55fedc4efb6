#pragma once
// The values of a tuning space and of its default locator, as the tuning
// space store keeps them between runs. Plain data; frequencies in kHz, symbol
// rates in kSymbols/s, orbital position, azimuth and elevation in 0.1 degree;
// -1 means "not set" wherever the interfaces say so.
#include "platform/com/Guid.h"
#include "platform/dshow/TuningInterfaces.h"

#include <optional>
#include <string>

namespace runtime {

struct LocatorValues {
    LONG carrierFrequency = -1;
    FECMethod innerFEC = BDA_FEC_METHOD_NOT_SET;
    BinaryConvolutionCodeRate innerFECRate = BDA_BCC_RATE_NOT_SET;
    FECMethod outerFEC = BDA_FEC_METHOD_NOT_SET;
    BinaryConvolutionCodeRate outerFECRate = BDA_BCC_RATE_NOT_SET;
    ModulationType modulation = BDA_MOD_NOT_SET;
    LONG symbolRate = -1;
    Polarisation polarisation = BDA_POLARISATION_NOT_SET;
    bool westPosition = false;
    LONG orbitalPosition = -1;
    LONG azimuth = -1;
    LONG elevation = -1;

    friend bool operator==(const LocatorValues&, const LocatorValues&) = default;
};

struct TuningSpaceValues {
    LONG id = 0; // the store's identifier (from 1); 0 until stored
    CLSID spaceClass = CLSID_DVBSTuningSpace;
    std::wstring uniqueName;
    std::wstring friendlyName;
    GUID networkType = GUID_NULL;
    DVBSystemType systemType = DVB_Cable;
    LONG networkId = -1;
    std::wstring frequencyMapping;
    std::optional<LocatorValues> defaultLocator;
    LONG lowOscillator = -1;
    LONG highOscillator = -1;
    LONG lnbSwitch = -1;
    std::wstring inputRange;
    SpectralInversion spectralInversion = BDA_SPECTRAL_INVERSION_NOT_SET;

    friend bool operator==(const TuningSpaceValues&, const TuningSpaceValues&) = default;
};

} // namespace runtime
