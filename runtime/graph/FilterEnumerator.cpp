#include "runtime/graph/FilterEnumerator.h"

#include "runtime/graph/FilterGraph.h"

#include <algorithm>

namespace runtime {

IEnumFilters* FilterEnumerator::Create(FilterGraph* graph)
{
    auto* enumerator = new FilterEnumerator(graph);
    enumerator->AddRef();
    return enumerator;
}

FilterEnumerator::FilterEnumerator(FilterGraph* graph) : m_graph(graph), m_version(graph->Version())
{
    static_cast<IGraphBuilder*>(m_graph)->AddRef();
    m_filters = m_graph->Filters();
}

FilterEnumerator::~FilterEnumerator() { static_cast<IGraphBuilder*>(m_graph)->Release(); }

void* FilterEnumerator::FindInterface(REFIID riid)
{
    return riid == IID_IEnumFilters ? static_cast<IEnumFilters*>(this) : nullptr;
}

STDMETHODIMP FilterEnumerator::Next(ULONG cFilters, IBaseFilter** ppFilter, ULONG* pcFetched)
{
    if (!ppFilter || (cFilters > 1 && !pcFetched)) return E_POINTER;
    if (pcFetched) *pcFetched = 0;
    std::lock_guard guard(m_lock);
    if (m_version != m_graph->Version()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG fetched = 0;
    while (fetched < cFilters && m_position < m_filters.size()) {
        IBaseFilter* filter = m_filters[m_position++].Get();
        filter->AddRef();
        ppFilter[fetched++] = filter;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cFilters ? S_OK : S_FALSE;
}

STDMETHODIMP FilterEnumerator::Skip(ULONG cFilters)
{
    std::lock_guard guard(m_lock);
    if (m_version != m_graph->Version()) return VFW_E_ENUM_OUT_OF_SYNC;
    const std::size_t left = m_filters.size() - m_position;
    m_position += std::min<std::size_t>(cFilters, left);
    return cFilters <= left ? S_OK : S_FALSE;
}

STDMETHODIMP FilterEnumerator::Reset()
{
    std::lock_guard guard(m_lock);
    m_version = m_graph->Version();
    m_filters = m_graph->Filters();
    m_position = 0;
    return S_OK;
}

STDMETHODIMP FilterEnumerator::Clone(IEnumFilters** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    std::lock_guard guard(m_lock);
    auto* copy = new FilterEnumerator(m_graph);
    copy->m_filters = m_filters;
    copy->m_version = m_version;
    copy->m_position = m_position;
    copy->AddRef();
    *ppEnum = copy;
    return S_OK;
}

} // namespace runtime
