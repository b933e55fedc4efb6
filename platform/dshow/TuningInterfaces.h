#pragma once
// The broadcast tuning model: the system tuning space store, tuning spaces,
// locators, tune requests and the network provider's ITuner, with the
// enumerations their properties use. Declared as the Windows SDK has them
// (method order and signatures; its 32-bit long is LONG here); frequencies
// in kHz, symbol rates in kSymbols/s.
//
// Texts cross as BSTR: a get_ hands the caller a BSTR to free with
// SysFreeString; a put_ copies the text and leaves the caller's BSTR alone.
// Interface out-parameters carry one reference for the caller.
#include "platform/com/Guid.h"
#include "platform/com/OleAuto.h"
#include "platform/com/Unknown.h"

#ifdef _WIN32
#include <dshow.h>
#include <tuner.h>
#else

struct IEnumMoniker;
struct IEnumGUID;
struct IComponentTypes;
struct IComponents;

struct ITuningSpace;
struct ITuneRequest;
struct ILocator;
struct IEnumTuningSpaces;
struct ITuningSpaces;

enum Polarisation : LONG {
    BDA_POLARISATION_NOT_SET = -1,
    BDA_POLARISATION_NOT_DEFINED = 0,
    BDA_POLARISATION_LINEAR_H = 1,
    BDA_POLARISATION_LINEAR_V = 2,
    BDA_POLARISATION_CIRCULAR_L = 3,
    BDA_POLARISATION_CIRCULAR_R = 4,
    BDA_POLARISATION_MAX = 5,
};

enum FECMethod : LONG {
    BDA_FEC_METHOD_NOT_SET = -1,
    BDA_FEC_METHOD_NOT_DEFINED = 0,
    BDA_FEC_VITERBI = 1,
    BDA_FEC_RS_204_188 = 2,
    BDA_FEC_LDPC = 3,
    BDA_FEC_BCH = 4,
    BDA_FEC_RS_147_130 = 5,
    BDA_FEC_MAX = 6,
};

enum BinaryConvolutionCodeRate : LONG {
    BDA_BCC_RATE_NOT_SET = -1,
    BDA_BCC_RATE_NOT_DEFINED = 0,
    BDA_BCC_RATE_1_2 = 1,
    BDA_BCC_RATE_2_3 = 2,
    BDA_BCC_RATE_3_4 = 3,
    BDA_BCC_RATE_3_5 = 4,
    BDA_BCC_RATE_4_5 = 5,
    BDA_BCC_RATE_5_6 = 6,
    BDA_BCC_RATE_5_11 = 7,
    BDA_BCC_RATE_7_8 = 8,
    BDA_BCC_RATE_1_4 = 9,
    BDA_BCC_RATE_1_3 = 10,
    BDA_BCC_RATE_2_5 = 11,
    BDA_BCC_RATE_6_7 = 12,
    BDA_BCC_RATE_8_9 = 13,
    BDA_BCC_RATE_9_10 = 14,
    BDA_BCC_RATE_MAX = 15,
};

enum ModulationType : LONG {
    BDA_MOD_NOT_SET = -1,
    BDA_MOD_NOT_DEFINED = 0,
    BDA_MOD_16QAM = 1,
    BDA_MOD_32QAM = 2,
    BDA_MOD_64QAM = 3,
    BDA_MOD_80QAM = 4,
    BDA_MOD_96QAM = 5,
    BDA_MOD_112QAM = 6,
    BDA_MOD_128QAM = 7,
    BDA_MOD_160QAM = 8,
    BDA_MOD_192QAM = 9,
    BDA_MOD_224QAM = 10,
    BDA_MOD_256QAM = 11,
    BDA_MOD_320QAM = 12,
    BDA_MOD_384QAM = 13,
    BDA_MOD_448QAM = 14,
    BDA_MOD_512QAM = 15,
    BDA_MOD_640QAM = 16,
    BDA_MOD_768QAM = 17,
    BDA_MOD_896QAM = 18,
    BDA_MOD_1024QAM = 19,
    BDA_MOD_QPSK = 20,
    BDA_MOD_BPSK = 21,
    BDA_MOD_OQPSK = 22,
    BDA_MOD_8VSB = 23,
    BDA_MOD_16VSB = 24,
    BDA_MOD_ANALOG_AMPLITUDE = 25,
    BDA_MOD_ANALOG_FREQUENCY = 26,
    BDA_MOD_8PSK = 27,
    BDA_MOD_RF = 28,
    BDA_MOD_16APSK = 29,
    BDA_MOD_32APSK = 30,
    BDA_MOD_NBC_QPSK = 31,
    BDA_MOD_NBC_8PSK = 32,
    BDA_MOD_DIRECTV = 33,
    BDA_MOD_ISDB_T_TMCC = 34,
    BDA_MOD_ISDB_S_TMCC = 35,
    BDA_MOD_MAX = 36,
};

enum SpectralInversion : LONG {
    BDA_SPECTRAL_INVERSION_NOT_SET = -1,
    BDA_SPECTRAL_INVERSION_NOT_DEFINED = 0,
    BDA_SPECTRAL_INVERSION_AUTOMATIC = 1,
    BDA_SPECTRAL_INVERSION_NORMAL = 2,
    BDA_SPECTRAL_INVERSION_INVERTED = 3,
    BDA_SPECTRAL_INVERSION_MAX = 4,
};

enum DVBSystemType : LONG {
    DVB_Cable = 0,
    DVB_Terrestrial = 1,
    DVB_Satellite = 2,
    ISDB_Terrestrial = 3,
    ISDB_Satellite = 4,
};

// The collection of every tuning space installed on the machine
// (class SystemTuningSpaces).
struct ITuningSpaceContainer : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* Count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IEnumVARIANT** NewEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT varIndex, ITuningSpace** TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Item(VARIANT varIndex, ITuningSpace* TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE TuningSpacesForCLSID(BSTR SpaceCLSID, ITuningSpaces** NewColl) = 0;
    virtual HRESULT STDMETHODCALLTYPE _TuningSpacesForCLSID2(REFCLSID SpaceCLSID, ITuningSpaces** NewColl) = 0;
    virtual HRESULT STDMETHODCALLTYPE TuningSpacesForName(BSTR Name, ITuningSpaces** NewColl) = 0;
    virtual HRESULT STDMETHODCALLTYPE FindID(ITuningSpace* TuningSpace, LONG* ID) = 0;
    virtual HRESULT STDMETHODCALLTYPE Add(ITuningSpace* TuningSpace, VARIANT* NewIndex) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EnumTuningSpaces(IEnumTuningSpaces** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE Remove(VARIANT Index) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxCount(LONG* MaxCount) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MaxCount(LONG MaxCount) = 0;

protected:
    ~ITuningSpaceContainer() = default;
};
KAVRO_DECLARE_IID(ITuningSpaceContainer, "{5B692E84-E2F1-11D2-9493-00C04F72D980}");

// A subset of the installed tuning spaces.
struct ITuningSpaces : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_Count(LONG* Count) = 0;
    virtual HRESULT STDMETHODCALLTYPE get__NewEnum(IEnumVARIANT** NewEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Item(VARIANT varIndex, ITuningSpace** TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EnumTuningSpaces(IEnumTuningSpaces** NewEnum) = 0;

protected:
    ~ITuningSpaces() = default;
};
KAVRO_DECLARE_IID(ITuningSpaces, "{901284E4-33FE-4B69-8D63-634A596F3756}");

struct ITuningSpace : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_UniqueName(BSTR* Name) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_UniqueName(BSTR Name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FriendlyName(BSTR* Name) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FriendlyName(BSTR Name) = 0;
    // The tuning space's own class identifier in registry form.
    virtual HRESULT STDMETHODCALLTYPE get_CLSID(BSTR* SpaceCLSID) = 0;
    // The network provider class, in registry form or as a GUID.
    virtual HRESULT STDMETHODCALLTYPE get_NetworkType(BSTR* NetworkTypeGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_NetworkType(BSTR NetworkTypeGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE get__NetworkType(GUID* NetworkTypeGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE put__NetworkType(REFCLSID NetworkTypeGuid) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateTuneRequest(ITuneRequest** TuneRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumCategoryGUIDs(IEnumGUID** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumDeviceMonikers(IEnumMoniker** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefaultPreferredComponentTypes(IComponentTypes** ComponentTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DefaultPreferredComponentTypes(IComponentTypes* NewComponentTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_FrequencyMapping(BSTR* pMapping) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_FrequencyMapping(BSTR Mapping) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DefaultLocator(ILocator** LocatorVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DefaultLocator(ILocator* LocatorVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(ITuningSpace** NewTS) = 0;

protected:
    ~ITuningSpace() = default;
};
KAVRO_DECLARE_IID(ITuningSpace, "{061C6E30-E622-11D2-9493-00C04F72D980}");

struct IEnumTuningSpaces : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, ITuningSpace** rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG celt) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumTuningSpaces** ppEnum) = 0;

protected:
    ~IEnumTuningSpaces() = default;
};
KAVRO_DECLARE_IID(IEnumTuningSpaces, "{8B8EB248-FC2B-11D2-9D8C-00C04F72D980}");

struct IDVBTuningSpace : ITuningSpace {
    virtual HRESULT STDMETHODCALLTYPE get_SystemType(DVBSystemType* SysType) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SystemType(DVBSystemType SysType) = 0;

protected:
    ~IDVBTuningSpace() = default;
};
KAVRO_DECLARE_IID(IDVBTuningSpace, "{ADA0B268-3B19-4E5B-ACC4-49F852BE13BA}");

struct IDVBTuningSpace2 : IDVBTuningSpace {
    virtual HRESULT STDMETHODCALLTYPE get_NetworkID(LONG* NetworkID) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_NetworkID(LONG NetworkID) = 0;

protected:
    ~IDVBTuningSpace2() = default;
};
KAVRO_DECLARE_IID(IDVBTuningSpace2, "{843188B4-CE62-43DB-966B-8145A094E040}");

// The LNB of a satellite tuning space: oscillators and switch frequency in
// kHz (-1 = not set); input range as a text ("-1" = not set).
struct IDVBSTuningSpace : IDVBTuningSpace2 {
    virtual HRESULT STDMETHODCALLTYPE get_LowOscillator(LONG* LowOscillator) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_LowOscillator(LONG LowOscillator) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HighOscillator(LONG* HighOscillator) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HighOscillator(LONG HighOscillator) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LNBSwitch(LONG* LNBSwitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_LNBSwitch(LONG LNBSwitch) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_InputRange(BSTR* InputRange) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_InputRange(BSTR InputRange) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SpectralInversion(SpectralInversion* SpectralInversionVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SpectralInversion(SpectralInversion SpectralInversionVal) = 0;

protected:
    ~IDVBSTuningSpace() = default;
};
KAVRO_DECLARE_IID(IDVBSTuningSpace, "{CDF7BE60-D954-42FD-A972-78971958E470}");

// Where a signal is: carrier frequency in kHz, symbol rate in kSymbols/s,
// forward error correction and modulation.
struct ILocator : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_CarrierFrequency(LONG* Frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_CarrierFrequency(LONG Frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_InnerFEC(FECMethod* FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_InnerFEC(FECMethod FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_InnerFECRate(BinaryConvolutionCodeRate* FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_InnerFECRate(BinaryConvolutionCodeRate FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OuterFEC(FECMethod* FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OuterFEC(FECMethod FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OuterFECRate(BinaryConvolutionCodeRate* FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OuterFECRate(BinaryConvolutionCodeRate FEC) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Modulation(ModulationType* Modulation) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Modulation(ModulationType Modulation) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SymbolRate(LONG* Rate) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SymbolRate(LONG Rate) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(ILocator** NewLocator) = 0;

protected:
    ~ILocator() = default;
};
KAVRO_DECLARE_IID(ILocator, "{286D7F89-760C-4F89-80C4-66841D2507AA}");

struct IDigitalLocator : ILocator {
protected:
    ~IDigitalLocator() = default;
};
KAVRO_DECLARE_IID(IDigitalLocator, "{19B595D8-839A-47F0-96DF-4F194F3C768C}");

// A satellite locator: polarisation, and the satellite's orbital position in
// 0.1 degree (west when WestPosition is true), azimuth and elevation.
struct IDVBSLocator : IDigitalLocator {
    virtual HRESULT STDMETHODCALLTYPE get_SignalPolarisation(Polarisation* PolarisationVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SignalPolarisation(Polarisation PolarisationVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_WestPosition(VARIANT_BOOL* WestLongitude) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_WestPosition(VARIANT_BOOL WestLongitude) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_OrbitalPosition(LONG* longitude) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_OrbitalPosition(LONG longitude) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Azimuth(LONG* Azimuth) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Azimuth(LONG Azimuth) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Elevation(LONG* Elevation) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Elevation(LONG Elevation) = 0;

protected:
    ~IDVBSLocator() = default;
};
KAVRO_DECLARE_IID(IDVBSLocator, "{3D7C353C-0D04-45F1-A742-F97CC1188DC8}");

struct ITuneRequest : IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_TuningSpace(ITuningSpace** TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Components(IComponents** Components) = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(ITuneRequest** NewTuneRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Locator(ILocator** Locator) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Locator(ILocator* Locator) = 0;

protected:
    ~ITuneRequest() = default;
};
KAVRO_DECLARE_IID(ITuneRequest, "{07DDC146-FC3D-11D2-9D8C-00C04F72D980}");

// Original network, transport stream and service identifiers; -1 = not set.
struct IDVBTuneRequest : ITuneRequest {
    virtual HRESULT STDMETHODCALLTYPE get_ONID(LONG* ONID) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ONID(LONG ONID) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TSID(LONG* TSID) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TSID(LONG TSID) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SID(LONG* SID) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_SID(LONG SID) = 0;

protected:
    ~IDVBTuneRequest() = default;
};
KAVRO_DECLARE_IID(IDVBTuneRequest, "{0D6F567E-A636-42BB-83BA-CE4C1704AFA2}");

// The network provider's tuning interface.
struct ITuner : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_TuningSpace(ITuningSpace** TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TuningSpace(ITuningSpace* TuningSpace) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumTuningSpaces(IEnumTuningSpaces** ppEnum) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TuneRequest(ITuneRequest** TuneRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TuneRequest(ITuneRequest* TuneRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE Validate(ITuneRequest* TuneRequest) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PreferredComponentTypes(IComponentTypes** ComponentTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PreferredComponentTypes(IComponentTypes* ComponentTypes) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SignalStrength(LONG* Strength) = 0;
    virtual HRESULT STDMETHODCALLTYPE TriggerSignalEvents(LONG Interval) = 0;

protected:
    ~ITuner() = default;
};
KAVRO_DECLARE_IID(ITuner, "{28C52640-018A-11D3-9D8E-00C04F72D980}");

inline constexpr CLSID CLSID_SystemTuningSpaces = GuidLiteral("{D02AAC50-027E-11D3-9D8E-00C04F72D980}");
inline constexpr CLSID CLSID_DVBSTuningSpace = GuidLiteral("{B64016F3-C9A2-4066-96F0-BD9563314726}");
inline constexpr CLSID CLSID_DVBSLocator = GuidLiteral("{1DF7D126-4050-47F0-A7CF-4C4CA9241333}");
inline constexpr CLSID CLSID_DVBTuneRequest = GuidLiteral("{15D6504A-5494-499C-886C-973C9E53B9F1}");
inline constexpr CLSID CLSID_DVBSNetworkProvider = GuidLiteral("{FA4B375A-45B4-4D45-8440-263957B11623}");
#endif
