#pragma once
// A DVB-S tune request for the network provider, made from the tuning block.
// User-interface thread, without graphMutex (only the submission takes it).
#include "platform/com/WinTypes.h"
#include "platform/driver/KavroProperties.h"
#include "platform/dshow/TuningInterfaces.h"

// The error texts of CreateDVBTuneRequest.
inline constexpr const wchar_t* kTuneRequestNoRequest = L"CreateTuneRequest: Can't create tune request.\n";
inline constexpr const wchar_t* kTuneRequestNoDvbsSpace = L"Cannot QI for an IDVBSTuningSpace\n";
inline constexpr const wchar_t* kTuneRequestNoDvbRequest = L"CreateDVBTuneRequest: Can't QI for IChannelTuneRequest.\n";
inline constexpr const wchar_t* kTuneRequestNoLocator = L"Cannot create the DVBS locator failed\n";
inline constexpr const wchar_t* kTuneRequestLocatorRefused = L"Cannot put the locator\n";
inline constexpr const wchar_t* kTuneRequestFinalQuery = L"Error on create pTuneRequest2";

// With a block, sets TunerGraph's tuning space to the DVB-S network type and
// the LNB values (switch lnbSwitchMhz, high and low oscillator, each in kHz =
// MHz x 1000), then makes a request from it whose new DVB-S locator carries
// outer FEC Viterbi, carrier frequency (kHz = MHz x 1000), polarisation
// (linear horizontal for polarity byte 0, linear vertical otherwise) and the
// symbol rate as stored (kSymbols/s). Without a block the request carries the
// tuning space's current values and an unconfigured locator.
//
// The products are 32-bit signed with two's-complement wrap-around, as the
// platform's LONG properties carry them.
//
// Returns null with one reference for the caller in *request, or one of the
// texts above with *request null (the tuning space keeps the LNB values
// already set). A null request pointer gives kTuneRequestNoRequest.
const wchar_t* CreateDVBTuneRequest(IDVBTuneRequest** request, const TuningBlock* block, LONG lnbSwitchMhz);

// MHz to kHz as the tune request computes it.
LONG MhzToKhz(std::uint32_t mhz);
