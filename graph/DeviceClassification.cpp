#include "graph/DeviceClassification.h"

namespace {

struct ModelText {
    std::wstring_view text;
    LONG code;
};

constexpr ModelText kModels[] = {
    {L"Kavro N71 DVBS/S2 Tuner", DEVICE_TYPE_N71},
    {L"Kavro N72 DVBS/S2 Tuner A", DEVICE_TYPE_N72_TUNER_A},
    {L"Kavro N72 DVBS/S2 Tuner B", DEVICE_TYPE_N72_TUNER_B},
    {L"Kavro U31 DVBS2 Tuner", DEVICE_TYPE_U31},
};

} // namespace

LONG ClassifyDevice(std::wstring_view name)
{
    LONG code = DEVICE_TYPE_UNSUPPORTED;
    for (const ModelText& model : kModels) {
        if (name.find(model.text) != std::wstring_view::npos) {
            code = model.code;
        }
    }
    return code;
}
