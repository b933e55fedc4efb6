#include "runtime/devices/TuningSpaceEnumerator.h"

#include "runtime/devices/DVBSTuningSpace.h"

#include <algorithm>

namespace runtime {

IEnumTuningSpaces* TuningSpaceEnumerator::Create(std::vector<TuningSpaceValues> spaces, std::size_t position)
{
    auto* enumerator = new TuningSpaceEnumerator(std::move(spaces), position);
    enumerator->AddRef();
    return enumerator;
}

void* TuningSpaceEnumerator::FindInterface(REFIID riid)
{
    return riid == IID_IEnumTuningSpaces ? static_cast<IEnumTuningSpaces*>(this) : nullptr;
}

STDMETHODIMP TuningSpaceEnumerator::Next(ULONG celt, ITuningSpace** rgelt, ULONG* pceltFetched)
{
    if (!rgelt || (celt > 1 && !pceltFetched)) return E_POINTER;
    std::lock_guard guard(m_lock);
    ULONG fetched = 0;
    while (fetched < celt && m_position < m_spaces.size()) {
        rgelt[fetched++] = DVBSTuningSpace::Create(m_spaces[m_position++]);
    }
    if (pceltFetched) *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

STDMETHODIMP TuningSpaceEnumerator::Skip(ULONG celt)
{
    std::lock_guard guard(m_lock);
    const std::size_t left = m_spaces.size() - m_position;
    m_position += std::min<std::size_t>(celt, left);
    return celt <= left ? S_OK : S_FALSE;
}

STDMETHODIMP TuningSpaceEnumerator::Reset()
{
    std::lock_guard guard(m_lock);
    m_position = 0;
    return S_OK;
}

STDMETHODIMP TuningSpaceEnumerator::Clone(IEnumTuningSpaces** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    std::lock_guard guard(m_lock);
    *ppEnum = Create(m_spaces, m_position);
    return S_OK;
}

} // namespace runtime
