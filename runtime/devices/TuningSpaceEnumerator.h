#pragma once
// IEnumTuningSpaces over the spaces a store held when the enumerator was
// made. Each space comes out as a new DVB-S tuning space object holding the
// stored values; changing it changes nothing stored. Any thread.
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/TuningSpaceValues.h"

#include <mutex>
#include <vector>

namespace runtime {

class TuningSpaceEnumerator final : public ComObject<TuningSpaceEnumerator, IEnumTuningSpaces> {
public:
    // One reference for the caller.
    static IEnumTuningSpaces* Create(std::vector<TuningSpaceValues> spaces, std::size_t position = 0);

    // S_OK when celt spaces came out, S_FALSE when fewer were left.
    STDMETHODIMP Next(ULONG celt, ITuningSpace** rgelt, ULONG* pceltFetched) override;
    STDMETHODIMP Skip(ULONG celt) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumTuningSpaces** ppEnum) override;

private:
    TuningSpaceEnumerator(std::vector<TuningSpaceValues> spaces, std::size_t position)
        : m_spaces(std::move(spaces)),
          m_position(position)
    {}
    void* FindInterface(REFIID riid) override;

    std::mutex m_lock;
    const std::vector<TuningSpaceValues> m_spaces;
    std::size_t m_position;
};

} // namespace runtime
