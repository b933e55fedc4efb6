#include "dvb/DvbControlNode.h"

#include "platform/dshow/BdaInterfaces.h"
#include "runtime/ComObject.h"

namespace dvb {

namespace {

class StatisticsNode final : public runtime::ComObject<StatisticsNode, IBDA_SignalStatistics> {
public:
    explicit StatisticsNode(std::shared_ptr<DvbTunerDevice> device) : m_device(std::move(device)) {}

    // The frontend's readings are its own: the put methods are refused.
    STDMETHODIMP put_SignalStrength(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SignalStrength(LONG* plDbStrength) override
    {
        if (!plDbStrength) return E_POINTER;
        *plDbStrength = m_device->Frontend().Signal().strength;
        return S_OK;
    }
    STDMETHODIMP put_SignalQuality(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SignalQuality(LONG* plPercentQuality) override
    {
        if (!plPercentQuality) return E_POINTER;
        *plPercentQuality = m_device->Frontend().Signal().quality;
        return S_OK;
    }
    STDMETHODIMP put_SignalPresent(BOOLEAN) override { return E_NOTIMPL; }
    STDMETHODIMP get_SignalPresent(BOOLEAN* pfPresent) override
    {
        if (!pfPresent) return E_POINTER;
        *pfPresent = m_device->Frontend().Signal().strength > 10 ? 1 : 0;
        return S_OK;
    }
    STDMETHODIMP put_SignalLocked(BOOLEAN) override { return E_NOTIMPL; }
    STDMETHODIMP get_SignalLocked(BOOLEAN* pfLocked) override
    {
        if (!pfLocked) return E_POINTER;
        *pfLocked = m_device->Frontend().Signal().locked ? 1 : 0;
        return S_OK;
    }
    STDMETHODIMP put_SampleTime(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP get_SampleTime(LONG* plmsSampleTime) override
    {
        if (!plmsSampleTime) return E_POINTER;
        *plmsSampleTime = 100; // the frontend is read when asked
        return S_OK;
    }

protected:
    void* FindInterface(REFIID riid) override
    {
        return riid == IID_IBDA_SignalStatistics ? static_cast<IBDA_SignalStatistics*>(this) : nullptr;
    }

private:
    std::shared_ptr<DvbTunerDevice> m_device;
};

class BareNode final : public runtime::ComObject<BareNode, IUnknown> {
protected:
    void* FindInterface(REFIID) override { return nullptr; }
};

} // namespace

HRESULT CreateDvbControlNode(std::shared_ptr<DvbTunerDevice> device, bool statistics, IUnknown** ppNode)
{
    if (!ppNode) return E_POINTER;
    IUnknown* node = statistics ? static_cast<IUnknown*>(new StatisticsNode(std::move(device)))
                                : static_cast<IUnknown*>(new BareNode());
    node->AddRef();
    *ppNode = node;
    return S_OK;
}

} // namespace dvb
