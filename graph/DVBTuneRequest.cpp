#include "graph/DVBTuneRequest.h"

#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"

LONG MhzToKhz(std::uint32_t mhz)
{
    // Unsigned multiplication wraps where a signed one would be undefined;
    // the conversion back gives the two's-complement LONG.
    return static_cast<LONG>(mhz * 1000u);
}

const wchar_t* CreateDVBTuneRequest(IDVBTuneRequest** request, const TuningBlock* block, LONG lnbSwitchMhz)
{
    if (!request) {
        return kTuneRequestNoRequest;
    }
    *request = nullptr;
    const ComPtr<ITuningSpace> space = TunerGraph::Process().tuningSpace;
    if (!space) {
        return kTuneRequestNoRequest;
    }
    ComPtr<IDVBSTuningSpace> satelliteSpace;
    if (FAILED(space.QueryInterface(satelliteSpace)) || !satelliteSpace) {
        return kTuneRequestNoDvbsSpace;
    }
    if (block) {
        // Results not examined: a refused value leaves the space's own.
        satelliteSpace->put__NetworkType(CLSID_DVBSNetworkProvider);
        satelliteSpace->put_LNBSwitch(MhzToKhz(static_cast<std::uint32_t>(lnbSwitchMhz)));
        satelliteSpace->put_HighOscillator(MhzToKhz(block->lnbHighMhz));
        satelliteSpace->put_LowOscillator(MhzToKhz(block->lnbLowMhz));
    }
    ComPtr<ITuneRequest> newRequest;
    if (FAILED(space->CreateTuneRequest(&newRequest)) || !newRequest) {
        return kTuneRequestNoRequest;
    }
    ComPtr<IDVBTuneRequest> dvbRequest;
    if (FAILED(newRequest.QueryInterface(dvbRequest)) || !dvbRequest) {
        return kTuneRequestNoDvbRequest;
    }
    ComPtr<IDVBSLocator> locator;
    if (FAILED(CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&locator))) || !locator) {
        return kTuneRequestNoLocator;
    }
    if (block) {
        locator->put_OuterFEC(BDA_FEC_VITERBI);
        locator->put_CarrierFrequency(MhzToKhz(block->frequencyMhz));
        locator->put_SignalPolarisation(block->polarity != 0 ? BDA_POLARISATION_LINEAR_V : BDA_POLARISATION_LINEAR_H);
        locator->put_SymbolRate(static_cast<LONG>(block->symbolRateKsps.get()));
    }
    if (FAILED(dvbRequest->put_Locator(locator.Get()))) {
        return kTuneRequestLocatorRefused;
    }
    if (FAILED(dvbRequest->QueryInterface(IID_PPV_ARGS(request))) || !*request) {
        *request = nullptr;
        return kTuneRequestFinalQuery;
    }
    return nullptr;
}
