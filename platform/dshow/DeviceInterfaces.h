#pragma once
// Devices by category: the system device enumerator (ICreateDevEnum), its
// moniker enumerators and monikers, and the property bag a moniker opens.
// Declared as the Windows SDK has them. Interface out-parameters carry one
// reference for the caller.
#include "platform/com/Guid.h"
#include "platform/com/OleAuto.h"
#include "platform/com/Unknown.h"
#include "platform/dshow/BdaCategories.h"
#include "platform/dshow/FilterInterfaces.h"

#ifdef _WIN32
#include <dshow.h>
#else

struct IBindCtx;
struct IStream;
struct IErrorLog;

struct ULARGE_INTEGER {
    ULONGLONG QuadPart;
};

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

inline constexpr HRESULT MK_S_REDUCED_TO_SELF = MakeHresult(0x000401E2u);
inline constexpr HRESULT MK_S_US = MakeHresult(0x000401E6u);
inline constexpr HRESULT MK_E_UNAVAILABLE = MakeHresult(0x800401E3u);
inline constexpr HRESULT MK_E_SYNTAX = MakeHresult(0x800401E4u);
inline constexpr HRESULT MK_E_NOOBJECT = MakeHresult(0x800401E5u);
inline constexpr HRESULT MK_E_NOINVERSE = MakeHresult(0x800401ECu);
inline constexpr HRESULT MK_E_NOSTORAGE = MakeHresult(0x800401EDu);
inline constexpr HRESULT MK_E_NOPREFIX = MakeHresult(0x800401EEu);

inline constexpr DWORD MKSYS_NONE = 0;

struct IPersistStream : IPersist {
    virtual HRESULT STDMETHODCALLTYPE IsDirty() = 0;
    virtual HRESULT STDMETHODCALLTYPE Load(IStream* pStm) = 0;
    virtual HRESULT STDMETHODCALLTYPE Save(IStream* pStm, BOOL fClearDirty) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* pcbSize) = 0;

protected:
    ~IPersistStream() = default;
};
KAVRO_DECLARE_IID(IPersistStream, "{00000109-0000-0000-C000-000000000046}");

struct IEnumMoniker;

// Names one object; a device moniker names one device of a category.
struct IMoniker : IPersistStream {
    // Creates the named object (a device's filter) and queries it for riidResult.
    virtual HRESULT STDMETHODCALLTYPE BindToObject(IBindCtx* pbc, IMoniker* pmkToLeft, REFIID riidResult,
                                                   void** ppvResult) = 0;
    // Opens the named object's storage (a device's property bag).
    virtual HRESULT STDMETHODCALLTYPE BindToStorage(IBindCtx* pbc, IMoniker* pmkToLeft, REFIID riid, void** ppvObj) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reduce(IBindCtx* pbc, DWORD dwReduceHowFar, IMoniker** ppmkToLeft,
                                             IMoniker** ppmkReduced) = 0;
    virtual HRESULT STDMETHODCALLTYPE ComposeWith(IMoniker* pmkRight, BOOL fOnlyIfNotGeneric,
                                                  IMoniker** ppmkComposite) = 0;
    virtual HRESULT STDMETHODCALLTYPE Enum(BOOL fForward, IEnumMoniker** ppenumMoniker) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsEqual(IMoniker* pmkOtherMoniker) = 0;
    virtual HRESULT STDMETHODCALLTYPE Hash(DWORD* pdwHash) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsRunning(IBindCtx* pbc, IMoniker* pmkToLeft, IMoniker* pmkNewlyRunning) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimeOfLastChange(IBindCtx* pbc, IMoniker* pmkToLeft, FILETIME* pFileTime) = 0;
    virtual HRESULT STDMETHODCALLTYPE Inverse(IMoniker** ppmk) = 0;
    virtual HRESULT STDMETHODCALLTYPE CommonPrefixWith(IMoniker* pmkOther, IMoniker** ppmkPrefix) = 0;
    virtual HRESULT STDMETHODCALLTYPE RelativePathTo(IMoniker* pmkOther, IMoniker** ppmkRelPath) = 0;
    // *ppszDisplayName is task memory the caller frees with CoTaskMemFree.
    virtual HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx* pbc, IMoniker* pmkToLeft, LPOLESTR* ppszDisplayName) = 0;
    virtual HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx* pbc, IMoniker* pmkToLeft, LPOLESTR pszDisplayName,
                                                       ULONG* pchEaten, IMoniker** ppmkOut) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsSystemMoniker(DWORD* pdwMksys) = 0;

protected:
    ~IMoniker() = default;
};
KAVRO_DECLARE_IID(IMoniker, "{0000000F-0000-0000-C000-000000000046}");

struct IEnumMoniker : IUnknown {
    // S_OK when celt monikers were returned, S_FALSE when fewer were left.
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, IMoniker** rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG celt) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumMoniker** ppenum) = 0;

protected:
    ~IEnumMoniker() = default;
};
KAVRO_DECLARE_IID(IEnumMoniker, "{00000102-0000-0000-C000-000000000046}");

// Named values of a device ("FriendlyName", a VT_BSTR).
struct IPropertyBag : IUnknown {
    // pVar's type on entry asks for a type (VT_EMPTY: the stored one); the
    // caller owns and clears what comes back.
    virtual HRESULT STDMETHODCALLTYPE Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog* pErrorLog) = 0;
    virtual HRESULT STDMETHODCALLTYPE Write(LPCOLESTR pszPropName, VARIANT* pVar) = 0;

protected:
    ~IPropertyBag() = default;
};
KAVRO_DECLARE_IID(IPropertyBag, "{55272A00-42CB-11CE-8135-00AA004BB851}");

// The system device enumerator. CreateClassEnumerator gives S_FALSE and no
// enumerator for an empty category.
struct ICreateDevEnum : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateClassEnumerator(REFCLSID clsidDeviceClass, IEnumMoniker** ppEnumMoniker,
                                                            DWORD dwFlags) = 0;

protected:
    ~ICreateDevEnum() = default;
};
KAVRO_DECLARE_IID(ICreateDevEnum, "{29840822-5B84-11D0-BD3B-00A0C911CE86}");

inline constexpr CLSID CLSID_SystemDeviceEnum = GuidLiteral("{62BE5D10-60EB-11D0-BD3B-00A0C911CE86}");
inline constexpr CLSID CLSID_CDeviceMoniker = GuidLiteral("{4315D437-5B8C-11D0-BD3B-00A0C911CE86}");

#endif
