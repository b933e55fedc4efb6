#include "runtime/devices/MonikerEnumerator.h"

#include "runtime/devices/DeviceMoniker.h"

#include <algorithm>

namespace runtime {

IEnumMoniker* MonikerEnumerator::Create(const GUID& category, std::vector<DeviceEntry> devices, std::size_t position)
{
    auto* enumerator = new MonikerEnumerator(category, std::move(devices), position);
    enumerator->AddRef();
    return enumerator;
}

void* MonikerEnumerator::FindInterface(REFIID riid)
{
    return riid == IID_IEnumMoniker ? static_cast<IEnumMoniker*>(this) : nullptr;
}

STDMETHODIMP MonikerEnumerator::Next(ULONG celt, IMoniker** rgelt, ULONG* pceltFetched)
{
    if (!rgelt || (celt > 1 && !pceltFetched)) return E_POINTER;
    std::lock_guard guard(m_lock);
    ULONG fetched = 0;
    while (fetched < celt && m_position < m_devices.size()) {
        rgelt[fetched++] = DeviceMoniker::Create(m_category, m_devices[m_position++]);
    }
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

STDMETHODIMP MonikerEnumerator::Skip(ULONG celt)
{
    std::lock_guard guard(m_lock);
    const std::size_t left = m_devices.size() - m_position;
    m_position += std::min<std::size_t>(celt, left);
    return celt <= left ? S_OK : S_FALSE;
}

STDMETHODIMP MonikerEnumerator::Reset()
{
    std::lock_guard guard(m_lock);
    m_position = 0;
    return S_OK;
}

STDMETHODIMP MonikerEnumerator::Clone(IEnumMoniker** ppenum)
{
    if (!ppenum) return E_POINTER;
    std::lock_guard guard(m_lock);
    *ppenum = Create(m_category, m_devices, m_position);
    return S_OK;
}

} // namespace runtime
