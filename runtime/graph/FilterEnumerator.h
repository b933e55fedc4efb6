#pragma once
// IEnumFilters over a graph's filters. When the graph's set of filters
// changes, Next and Skip answer VFW_E_ENUM_OUT_OF_SYNC until Reset takes the
// new set. Holds a reference to the graph. Any thread.
#include "platform/com/ComPtr.h"
#include "platform/dshow/GraphInterfaces.h"
#include "runtime/ComObject.h"

#include <mutex>
#include <vector>

namespace runtime {

class FilterGraph;

class FilterEnumerator final : public ComObject<FilterEnumerator, IEnumFilters> {
public:
    // One reference for the caller.
    static IEnumFilters* Create(FilterGraph* graph);

    STDMETHODIMP Next(ULONG cFilters, IBaseFilter** ppFilter, ULONG* pcFetched) override;
    STDMETHODIMP Skip(ULONG cFilters) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFilters** ppEnum) override;

private:
    explicit FilterEnumerator(FilterGraph* graph);
    ~FilterEnumerator() override;
    void* FindInterface(REFIID riid) override;

    FilterGraph* const m_graph; // counted
    std::mutex m_lock;
    std::vector<ComPtr<IBaseFilter>> m_filters;
    LONG m_version;
    std::size_t m_position = 0;
};

} // namespace runtime
