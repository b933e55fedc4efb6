#include "runtime/devices/TuningSpaceStore.h"

#include "platform/com/ComPtr.h"
#include "runtime/devices/DVBSTuningSpace.h"
#include "runtime/devices/TuningSpaceEnumerator.h"

#include <algorithm>
#include <limits>

namespace runtime {

namespace {

constexpr std::uint32_t kErrorDupName = 52;

// The stored space a VARIANT addresses, or end().
std::vector<TuningSpaceValues>::iterator Find(std::vector<TuningSpaceValues>& spaces, const VARIANT& index)
{
    LONG id = 0;
    switch (index.vt) {
    case VT_I4:
        id = index.lVal;
        break;
    case VT_I2:
        id = index.iVal;
        break;
    case VT_INT:
        id = index.intVal;
        break;
    case VT_BSTR: {
        const std::wstring name = BstrText(index.bstrVal);
        return std::find_if(spaces.begin(), spaces.end(), [&](const auto& s) { return s.uniqueName == name; });
    }
    default:
        return spaces.end();
    }
    return std::find_if(spaces.begin(), spaces.end(), [&](const auto& s) { return s.id == id; });
}

// One above the highest id in use; when that is the largest id there is, the
// lowest one free (a store full to the last id is refused before it comes here).
LONG NewSpaceId(const std::vector<TuningSpaceValues>& spaces)
{
    LONG highest = 0;
    for (const auto& s : spaces) highest = std::max(highest, s.id);
    if (highest < std::numeric_limits<LONG>::max()) return highest + 1;
    std::vector<LONG> ids;
    for (const auto& s : spaces) ids.push_back(s.id);
    std::sort(ids.begin(), ids.end());
    LONG id = 1;
    for (const LONG taken : ids) {
        if (taken > id) break;
        if (taken == id) ++id;
    }
    return id;
}

bool IndexTypeKnown(const VARIANT& index)
{
    return index.vt == VT_I4 || index.vt == VT_I2 || index.vt == VT_INT || index.vt == VT_BSTR;
}

} // namespace

ClassFactory TuningSpaceStore::Factory(std::shared_ptr<TuningSpaceStoreFile> file)
{
    return [file](IUnknown* outer, REFIID riid, void** ppv) -> HRESULT {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        ComPtr<ITuningSpaceContainer> store;
        store.Attach(new TuningSpaceStore(file));
        store->AddRef();
        return store->QueryInterface(riid, ppv);
    };
}

void* TuningSpaceStore::FindInterface(REFIID riid)
{
    if (riid == IID_IDispatch || riid == IID_ITuningSpaceContainer) {
        return static_cast<ITuningSpaceContainer*>(this);
    }
    return nullptr;
}

STDMETHODIMP TuningSpaceStore::get_Count(LONG* Count)
{
    if (!Count) return E_POINTER;
    *Count = 0;
    std::vector<TuningSpaceValues> spaces;
    const HRESULT hr = m_file->Load(spaces);
    if (SUCCEEDED(hr)) *Count = static_cast<LONG>(spaces.size());
    return hr;
}

STDMETHODIMP TuningSpaceStore::get__NewEnum(IEnumVARIANT** NewEnum)
{
    if (NewEnum) *NewEnum = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TuningSpaceStore::get_Item(VARIANT varIndex, ITuningSpace** TuningSpace)
{
    if (!TuningSpace) return E_POINTER;
    *TuningSpace = nullptr;
    if (!IndexTypeKnown(varIndex)) return E_INVALIDARG;
    std::vector<TuningSpaceValues> spaces;
    if (const HRESULT hr = m_file->Load(spaces); FAILED(hr)) return hr;
    const auto found = Find(spaces, varIndex);
    if (found == spaces.end()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    *TuningSpace = DVBSTuningSpace::Create(*found);
    return S_OK;
}

STDMETHODIMP TuningSpaceStore::put_Item(VARIANT varIndex, ITuningSpace* TuningSpace)
{
    if (!TuningSpace) return E_POINTER;
    if (!IndexTypeKnown(varIndex)) return E_INVALIDARG;
    TuningSpaceValues values = DVBSTuningSpace::ReadValues(TuningSpace);
    return m_file->Update([&](std::vector<TuningSpaceValues>& spaces) -> HRESULT {
        const auto found = Find(spaces, varIndex);
        if (found == spaces.end()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        const bool nameTaken = std::any_of(spaces.begin(), spaces.end(), [&](const auto& s) {
            return s.id != found->id && s.uniqueName == values.uniqueName;
        });
        if (values.uniqueName.empty()) return E_INVALIDARG;
        if (nameTaken) return HRESULT_FROM_WIN32(kErrorDupName);
        values.id = found->id;
        *found = values;
        return S_OK;
    });
}

STDMETHODIMP TuningSpaceStore::TuningSpacesForCLSID(BSTR, ITuningSpaces** NewColl)
{
    if (NewColl) *NewColl = nullptr;
    return E_NOTIMPL;
}

#ifdef __MINGW32__
STDMETHODIMP TuningSpaceStore::_TuningSpacesForCLSID(REFCLSID, ITuningSpaces** NewColl)
#else
STDMETHODIMP TuningSpaceStore::_TuningSpacesForCLSID2(REFCLSID, ITuningSpaces** NewColl)
#endif
{
    if (NewColl) *NewColl = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TuningSpaceStore::TuningSpacesForName(BSTR, ITuningSpaces** NewColl)
{
    if (NewColl) *NewColl = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TuningSpaceStore::FindID(ITuningSpace* TuningSpace, LONG* ID)
{
    if (!TuningSpace || !ID) return E_POINTER;
    const std::wstring name = DVBSTuningSpace::ReadValues(TuningSpace).uniqueName;
    std::vector<TuningSpaceValues> spaces;
    if (const HRESULT hr = m_file->Load(spaces); FAILED(hr)) return hr;
    for (const auto& space : spaces) {
        if (space.uniqueName == name) {
            *ID = space.id;
            return S_OK;
        }
    }
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

STDMETHODIMP TuningSpaceStore::Add(ITuningSpace* TuningSpace, VARIANT* NewIndex)
{
    if (!TuningSpace) return E_POINTER;
    TuningSpaceValues values = DVBSTuningSpace::ReadValues(TuningSpace);
    if (values.uniqueName.empty()) return E_INVALIDARG;
    const LONG maxCount = m_maxCount.load();
    const HRESULT hr = m_file->Update([&](std::vector<TuningSpaceValues>& spaces) -> HRESULT {
        if (std::any_of(spaces.begin(), spaces.end(),
                        [&](const auto& s) { return s.uniqueName == values.uniqueName; })) {
            return HRESULT_FROM_WIN32(kErrorDupName);
        }
        if (static_cast<LONG>(spaces.size()) >= maxCount) return E_FAIL;
        values.id = NewSpaceId(spaces);
        spaces.push_back(values);
        return S_OK;
    });
    if (SUCCEEDED(hr) && NewIndex) {
        VariantClear(NewIndex);
        NewIndex->vt = VT_I4;
        NewIndex->lVal = values.id;
    }
    return hr;
}

STDMETHODIMP TuningSpaceStore::get_EnumTuningSpaces(IEnumTuningSpaces** ppEnum)
{
    if (!ppEnum) return E_POINTER;
    *ppEnum = nullptr;
    std::vector<TuningSpaceValues> spaces;
    if (const HRESULT hr = m_file->Load(spaces); FAILED(hr)) return hr;
    *ppEnum = TuningSpaceEnumerator::Create(std::move(spaces));
    return S_OK;
}

STDMETHODIMP TuningSpaceStore::Remove(VARIANT Index)
{
    if (!IndexTypeKnown(Index)) return E_INVALIDARG;
    return m_file->Update([&](std::vector<TuningSpaceValues>& spaces) -> HRESULT {
        const auto found = Find(spaces, Index);
        if (found == spaces.end()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        spaces.erase(found);
        return S_OK;
    });
}

STDMETHODIMP TuningSpaceStore::get_MaxCount(LONG* MaxCount)
{
    if (!MaxCount) return E_POINTER;
    *MaxCount = m_maxCount.load();
    return S_OK;
}

STDMETHODIMP TuningSpaceStore::put_MaxCount(LONG MaxCount)
{
    if (MaxCount < 0) return E_INVALIDARG;
    m_maxCount = MaxCount;
    return S_OK;
}

} // namespace runtime
