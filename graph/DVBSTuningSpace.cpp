#include "graph/DVBSTuningSpace.h"

#include "graph/TunerGraph.h"
#include "platform/com/ClassRegistry.h"
#include "platform/com/OleAuto.h"
#include "platform/com/WideText.h"

#include <memory>
#include <optional>
#include <string_view>

namespace {

struct BstrFree {
    void operator()(OLECHAR* text) const { SysFreeString(text); }
};
// A BSTR the caller owns.
using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

OwnedBstr MakeBstr(std::wstring_view text) { return OwnedBstr(BstrFrom(text)); }

// Whether the space's unique name is name, compared in place in its BSTR.
bool HasUniqueName(ITuningSpace* space, std::wstring_view name)
{
    BSTR text = nullptr;
    if (FAILED(space->get_UniqueName(&text))) {
        return false;
    }
    const OwnedBstr owned(text);
    const std::wstring_view unique = text ? std::wstring_view(text, SysStringLen(text)) : std::wstring_view();
    return unique == name;
}

// The class the tuning space names as its network type, from its registry text.
std::optional<CLSID> NetworkTypeOf(ITuningSpace* space)
{
    BSTR text = nullptr;
    if (FAILED(space->get_NetworkType(&text))) {
        return std::nullopt;
    }
    const OwnedBstr owned(text);
    return GuidFromString(ToUtf8(BstrText(text)));
}

} // namespace

ComPtr<ITuningSpace> CreateDVBSTuningSpace()
{
    ComPtr<IDVBSLocator> locator;
    ComPtr<IDVBTuningSpace2> space;
    if (FAILED(CoCreateInstance(CLSID_DVBSLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&locator))) ||
        FAILED(CoCreateInstance(CLSID_DVBSTuningSpace, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&space))) ||
        !locator || !space) {
        return nullptr;
    }
    // The property results are not examined: a tuning space that refuses one
    // of them is still the one the store gets.
    space->put__NetworkType(CLSID_DVBSNetworkProvider);
    space->put_SystemType(DVB_Satellite);
    space->put_DefaultLocator(locator.Get());
    space->put_FrequencyMapping(MakeBstr(L"").get());
    space->put_FriendlyName(MakeBstr(L"Local DVBS Tuner").get());
    space->put_UniqueName(MakeBstr(kTuningSpaceUniqueName).get());

    ComPtr<IDVBSTuningSpace> satellite;
    if (SUCCEEDED(space.QueryInterface(satellite)) && satellite) {
        satellite->put_HighOscillator(-1);
        satellite->put_InputRange(MakeBstr(L"-1").get());
        satellite->put_LNBSwitch(-1);
        satellite->put_LowOscillator(-1);
        satellite->put_SpectralInversion(BDA_SPECTRAL_INVERSION_NOT_SET);
    }
    ComPtr<ITuningSpace> result;
    space.QueryInterface(result);
    return result;
}

ComPtr<ITuningSpace> GetDVBSTuningSpace()
{
    ComPtr<ITuningSpaceContainer> store;
    if (FAILED(CoCreateInstance(CLSID_SystemTuningSpaces, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&store))) ||
        !store) {
        return nullptr;
    }
    ComPtr<IEnumTuningSpaces> spaces;
    if (SUCCEEDED(store->get_EnumTuningSpaces(&spaces)) && spaces) {
        ComPtr<ITuningSpace> space;
        while (spaces->Next(1, space.ReleaseAndGetAddressOf(), nullptr) == S_OK && space) {
            if (HasUniqueName(space.Get(), kTuningSpaceUniqueName)) {
                return space;
            }
        }
    }
    ComPtr<ITuningSpace> created = CreateDVBSTuningSpace();
    if (created) {
        VARIANT index;
        VariantInit(&index);
        store->Add(created.Get(), &index);
        VariantClear(&index);
    }
    return created;
}

ComPtr<IBaseFilter> CreateDVBSNetworkProvider()
{
    TunerGraph& record = TunerGraph::Process();
    record.tuningSpace = GetDVBSTuningSpace();
    if (!record.tuningSpace) {
        return nullptr;
    }
    const std::optional<CLSID> networkType = NetworkTypeOf(record.tuningSpace.Get());
    ComPtr<IBaseFilter> provider;
    if (!networkType ||
        FAILED(CoCreateInstance(*networkType, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&provider))) || !provider) {
        return nullptr;
    }
    ComPtr<ITuneRequest> request;
    record.tuningSpace->CreateTuneRequest(&request);
    ComPtr<ITuner> tuner;
    if (SUCCEEDED(provider.QueryInterface(tuner)) && tuner) {
        // Their results are not examined: the real request comes with the
        // first tune.
        tuner->put_TuningSpace(record.tuningSpace.Get());
        tuner->put_TuneRequest(request.Get());
    }
    return provider;
}
