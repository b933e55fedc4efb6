#pragma once
// The system tuning space store (CLSID_SystemTuningSpaces): every tuning
// space installed on the simulated machine, kept in a TuningSpaceStoreFile
// so that what one run adds the next finds. Each call reads the file afresh,
// so several store objects (and runs) see each other's changes. Any thread.
//
// Spaces are addressed by their identifier (a VT_I4/VT_I2/VT_INT VARIANT,
// from 1) or their unique name (VT_BSTR). The automation collections
// (_NewEnum, TuningSpacesFor*) are not offered: E_NOTIMPL.
#include "platform/com/ClassRegistry.h"
#include "platform/dshow/TuningInterfaces.h"
#include "runtime/ComObject.h"
#include "runtime/devices/TuningSpaceStoreFile.h"

#include <memory>

namespace runtime {

class TuningSpaceStore final : public ComObject<TuningSpaceStore, DispatchWithoutTypeInfo<ITuningSpaceContainer>> {
public:
    // The class factory of a store over file (shared by every object it makes).
    static ClassFactory Factory(std::shared_ptr<TuningSpaceStoreFile> file);

    STDMETHODIMP get_Count(LONG* Count) override;
    STDMETHODIMP get__NewEnum(IEnumVARIANT** NewEnum) override;
    // A new tuning space object holding the stored values;
    // HRESULT_FROM_WIN32(ERROR_NOT_FOUND) when nothing matches.
    STDMETHODIMP get_Item(VARIANT varIndex, ITuningSpace** TuningSpace) override;
    // Replaces the stored values of the addressed space, keeping its identifier.
    STDMETHODIMP put_Item(VARIANT varIndex, ITuningSpace* TuningSpace) override;
    STDMETHODIMP TuningSpacesForCLSID(BSTR SpaceCLSID, ITuningSpaces** NewColl) override;
#ifdef __MINGW32__
    // mingw-w64's tuner.h names this slot without the "2" of the system's headers.
    STDMETHODIMP _TuningSpacesForCLSID(REFCLSID SpaceCLSID, ITuningSpaces** NewColl) override;
#else
    STDMETHODIMP _TuningSpacesForCLSID2(REFCLSID SpaceCLSID, ITuningSpaces** NewColl) override;
#endif
    STDMETHODIMP TuningSpacesForName(BSTR Name, ITuningSpaces** NewColl) override;
    // The identifier of the stored space with TuningSpace's unique name.
    STDMETHODIMP FindID(ITuningSpace* TuningSpace, LONG* ID) override;
    // Stores a copy of TuningSpace's values under a new identifier, returned
    // in NewIndex (VT_I4) when given. E_INVALIDARG for an empty unique name,
    // HRESULT_FROM_WIN32(ERROR_DUP_NAME) when the name is taken, E_FAIL when
    // the store holds MaxCount spaces already; a failing file write is returned.
    STDMETHODIMP Add(ITuningSpace* TuningSpace, VARIANT* NewIndex) override;
    STDMETHODIMP get_EnumTuningSpaces(IEnumTuningSpaces** ppEnum) override;
    STDMETHODIMP Remove(VARIANT Index) override;
    // The most spaces Add accepts (this object's own limit; default 1000).
    STDMETHODIMP get_MaxCount(LONG* MaxCount) override;
    STDMETHODIMP put_MaxCount(LONG MaxCount) override;

private:
    explicit TuningSpaceStore(std::shared_ptr<TuningSpaceStoreFile> file) : m_file(std::move(file)) {}
    void* FindInterface(REFIID riid) override;

    std::shared_ptr<TuningSpaceStoreFile> m_file;
    std::atomic<LONG> m_maxCount{1000};
};

} // namespace runtime
