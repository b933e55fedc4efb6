#include "positioner/PositionerSender.h"

#include "graph/DriverPayloads.h"
#include "graph/GraphMessageBox.h"
#include "graph/KsControl.h"
#include "graph/TunerGraph.h"

namespace {

// The longest message both paths carry: the BDA record holds ten bytes.
constexpr std::size_t kLongestMessage = sizeof(DiseqcMessage::bytes);

HRESULT SendThroughBdaRecord(const BYTE* message, std::size_t length)
{
    DiseqcMessage record{};
    MakeDiseqcMessage(message, length, record);
    const HRESULT hr = KsSet(KSPROPSETID_BDA_EXTENSION, KSPROPERTY_BDA_DISEQC, record);
    // Only S_OK says the message went on the bus; a positive code does not.
    if (hr != S_OK) {
        AppWarningBox(L"SendDiseqCommandN71 QueryInterface Failed");
    }
    return hr;
}

HRESULT SendThroughTuningBlock(const BYTE* message, std::size_t length)
{
    const HRESULT support = KsQuerySupported(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC);
    if (FAILED(support)) {
        return support;
    }
    TuningBlock& block = TunerGraph::Process().tuningBlock;
    PutDiseqcBytes(block, message, length);
    return KsSetValueOnly(KSPROPSETID_CTRL_EXTENSION, KSPROPERTY_CTRL_DISEQC, &block, sizeof block);
}

} // namespace

HRESULT SendMotorCommand(const BYTE* message, std::size_t length)
{
    if (!TunerGraph::Process().m_pKsCtrl || !message) {
        return E_POINTER;
    }
    if (length == 0 || length > kLongestMessage) {
        return E_INVALIDARG;
    }
    // The device kind is asked on every call, as every driver operation does.
    return IsUsbTuner() ? SendThroughTuningBlock(message, length) : SendThroughBdaRecord(message, length);
}
