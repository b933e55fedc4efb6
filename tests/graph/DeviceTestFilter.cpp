#include "tests/graph/DeviceTestFilter.h"

#include "platform/dshow/BdaInterfaces.h"
#include "platform/dshow/MediaTypes.h"
#include "runtime/devices/ISimTuneTarget.h"

#include <cstring>
#include <utility>

void KsLog::Add(Call call)
{
    std::lock_guard lock(m_lock);
    m_calls.push_back(std::move(call));
}

std::vector<KsLog::Call> KsLog::Calls() const
{
    std::lock_guard lock(m_lock);
    return m_calls;
}

namespace {

// What refuses a property of a set the object does not answer.
constexpr HRESULT kUnsupported = HRESULT_FROM_WIN32(1168); // ERROR_NOT_FOUND

std::vector<BYTE> Bytes(const void* data, DWORD size)
{
    if (!data || size == 0) {
        return {};
    }
    const auto* first = static_cast<const BYTE*>(data);
    return std::vector<BYTE>(first, first + size);
}

class KsResponder {
public:
    explicit KsResponder(KsAnswer answer) : m_answer(std::move(answer)) {}

    HRESULT Call(const char* op, REFGUID set, ULONG id, const void* instance, DWORD instanceSize, const void* value,
                 DWORD valueSize)
    {
        if (m_answer.log) {
            m_answer.log->Add({m_answer.label, op, set, id, Bytes(instance, instanceSize), Bytes(value, valueSize)});
        }
        return m_answer.answeredSet && *m_answer.answeredSet == set ? S_OK : kUnsupported;
    }

private:
    KsAnswer m_answer;
};

// IKsPropertySet for a test filter or pin, offered only when its spec asks.
class KsSide : public IKsPropertySet {
public:
    explicit KsSide(const std::optional<KsAnswer>& answer)
    {
        if (answer) {
            m_ks.emplace(*answer);
        }
    }
    bool Offered() const { return m_ks.has_value(); }

    STDMETHODIMP Set(REFGUID set, DWORD id, LPVOID instance, DWORD instanceSize, LPVOID value, DWORD valueSize) override
    {
        return m_ks->Call("set", set, id, instance, instanceSize, value, valueSize);
    }
    STDMETHODIMP Get(REFGUID set, DWORD id, LPVOID instance, DWORD instanceSize, LPVOID value, DWORD valueSize,
                     DWORD* returned) override
    {
        if (returned) *returned = valueSize;
        return m_ks->Call("get", set, id, instance, instanceSize, value, valueSize);
    }
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override
    {
        if (support) *support = KSPROPERTY_SUPPORT_GET | KSPROPERTY_SUPPORT_SET;
        return m_ks->Call("query", set, id, nullptr, 0, nullptr, 0);
    }

protected:
    ~KsSide() = default;

private:
    std::optional<KsResponder> m_ks;
};

class DevicePin final : public CBasePin, public KsSide {
public:
    DevicePin(CBaseFilter* filter, CCritSec* lock, const TestPinSpec& spec)
        : CBasePin(nullptr, filter, lock, spec.name.c_str(), spec.dir),
          KsSide(spec.ks),
          m_majorType(spec.majorType)
    {}

    DECLARE_IUNKNOWN

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv && riid == IID_IKsPropertySet && Offered()) {
            return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
        }
        return CBasePin::NonDelegatingQueryInterface(riid, ppv);
    }

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* pmt) override
    {
        return pmt && m_majorType != GUID_NULL && pmt->majortype == m_majorType ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, MediaTypeValue* pMediaType) override
    {
        if (position < 0) {
            return E_INVALIDARG;
        }
        if (position > 0 || m_majorType == GUID_NULL) {
            return VFW_S_NO_MORE_ITEMS;
        }
        *pMediaType = MediaTypeValue(m_majorType);
        if (m_majorType == MEDIATYPE_Stream) {
            pMediaType->subtype = MEDIASUBTYPE_MPEG2_TRANSPORT;
        }
        return S_OK;
    }
    STDMETHODIMP QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    STDMETHODIMP BeginFlush() override { return S_OK; }
    STDMETHODIMP EndFlush() override { return S_OK; }
    STDMETHODIMP NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

private:
    GUID m_majorType;
};

class DeviceFilter final : public CBaseFilter, public KsSide, public runtime::ISimTuneTarget {
public:
    explicit DeviceFilter(const TestFilterSpec& spec)
        : CBaseFilter(nullptr, nullptr, &m_lock, GUID_NULL),
          KsSide(spec.ks),
          m_tunes(spec.tunes)
    {
        for (const TestPinSpec& pin : spec.pins) {
            m_pins.push_back(std::make_unique<DevicePin>(this, &m_lock, pin));
        }
    }

    DECLARE_IUNKNOWN

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv && riid == IID_IKsPropertySet && Offered()) {
            return GetInterface(static_cast<IKsPropertySet*>(this), ppv);
        }
        if (ppv && riid == runtime::IID_ISimTuneTarget && m_tunes) {
            return GetInterface(static_cast<runtime::ISimTuneTarget*>(this), ppv);
        }
        return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
    }

    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    CBasePin* GetPin(int n) override
    {
        return n >= 0 && n < GetPinCount() ? m_pins[static_cast<std::size_t>(n)].get() : nullptr;
    }

    STDMETHODIMP ApplyTuneRequest(const runtime::SimTuneRequest&) override { return S_OK; }

private:
    // Declared before the pins, which hold it, and outliving them.
    CCritSec m_lock;
    std::vector<std::unique_ptr<DevicePin>> m_pins;
    bool m_tunes;
};

} // namespace

HRESULT CreateDeviceTestFilter(const TestFilterSpec& spec, IBaseFilter** filter)
{
    if (!filter) {
        return E_POINTER;
    }
    *filter = new DeviceFilter(spec);
    (*filter)->AddRef();
    return S_OK;
}

TestPinSpec AntennaInput(std::wstring name, std::optional<KsAnswer> ks)
{
    return {std::move(name), PINDIR_INPUT, KSDATAFORMAT_TYPE_BDA_ANTENNA, std::move(ks)};
}

TestPinSpec StreamOutput(std::wstring name) { return {std::move(name), PINDIR_OUTPUT, MEDIATYPE_Stream, {}}; }

TestPinSpec StreamInput(std::wstring name) { return {std::move(name), PINDIR_INPUT, MEDIATYPE_Stream, {}}; }

TestPinSpec DeafInput(std::wstring name) { return {std::move(name), PINDIR_INPUT, GUID_NULL, {}}; }

TestFilterSpec TunerSpec(std::optional<KsAnswer> filterKs, std::optional<KsAnswer> pinKs)
{
    return {{AntennaInput(L"Input0", std::move(pinKs)), StreamOutput(L"MPEG2 Transport")}, std::move(filterKs), true};
}

TestFilterSpec CaptureSpec() { return {{StreamInput(L"Input"), StreamOutput(L"Output")}, std::nullopt, false}; }

TestFilterSpec DeafCaptureSpec() { return {{DeafInput(L"Input"), StreamOutput(L"Output")}, std::nullopt, false}; }
