#pragma once
// Automation types the broadcast interfaces pass: BSTR texts, VARIANT values
// and IDispatch, which the tuning interfaces derive from.
//
// A BSTR is a counted wide text: SysAllocString gives one the caller owns and
// frees with SysFreeString; a null BSTR reads as the empty text. Any thread.
#include "platform/com/Unknown.h"

#ifdef _WIN32
#include <oaidl.h>
#include <oleauto.h>
#else
using OLECHAR = wchar_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
using VARTYPE = unsigned short;
using VARIANT_BOOL = short;
using SHORT = short;
using USHORT = unsigned short;
using CHAR = char;
using FLOAT = float;
using DOUBLE = double;
using SCODE = LONG;
using LCID = DWORD;
using DISPID = LONG;
using BOOLEAN = BYTE;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = MakeHresult(0x80020003u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = MakeHresult(0x80020006u);
inline constexpr HRESULT DISP_E_BADVARTYPE = MakeHresult(0x80020008u);
inline constexpr HRESULT DISP_E_BADINDEX = MakeHresult(0x8002000Bu);

// Allocates a copy of text (up to its terminator); null for a null text.
BSTR SysAllocString(const OLECHAR* text);
// Allocates length characters copied from text (or left zero when text is
// null) and a terminator. Null only when memory runs out.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// Frees a BSTR from SysAlloc*; null is ignored.
void SysFreeString(BSTR text);
// The character count stored with the text (embedded zeros included); 0 for null.
UINT SysStringLen(BSTR text);
// The same count in bytes of the Windows 16-bit characters (2 per character).
UINT SysStringByteLen(BSTR text);

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_DISPATCH = 9,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_UNKNOWN = 13,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
};

struct IDispatch;

// A tagged value. Owns its BSTR or interface reference: VariantClear frees it.
struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        LONG lVal;
        BYTE bVal;
        SHORT iVal;
        FLOAT fltVal;
        DOUBLE dblVal;
        VARIANT_BOOL boolVal;
        SCODE scode;
        BSTR bstrVal;
        IUnknown* punkVal;
        IDispatch* pdispVal;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        ULONGLONG ullVal;
        INT intVal;
        UINT uintVal;
    };
};
using VARIANTARG = VARIANT;

// Sets vt to VT_EMPTY without looking at the old contents.
void VariantInit(VARIANT* value);
// Frees what the value owns (BSTR, interface reference) and empties it.
// DISP_E_BADVARTYPE for a type this platform does not know; the value is
// then left as it was.
HRESULT VariantClear(VARIANT* value);
// Clears destination, then copies source into it with its own BSTR copy or
// interface reference.
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);

struct ITypeInfo;

struct DISPPARAMS {
    VARIANTARG* rgvarg;
    DISPID* rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct EXCEPINFO {
    WORD wCode;
    WORD wReserved;
    BSTR bstrSource;
    BSTR bstrDescription;
    BSTR bstrHelpFile;
    DWORD dwHelpContext;
    void* pvReserved;
    HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
    SCODE scode;
};

// Late-bound access by name. The simulated objects carry no type library and
// answer that honestly (no type information, no names).
struct IDispatch : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                                    DISPID* rgDispId) = 0;
    virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                             DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO* pExcepInfo,
                                             UINT* puArgErr) = 0;

protected:
    ~IDispatch() = default;
};
KAVRO_DECLARE_IID(IDispatch, "{00020400-0000-0000-C000-000000000046}");

// Enumerates VARIANTs (collections' _NewEnum).
struct IEnumVARIANT : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) = 0;
    virtual HRESULT STDMETHODCALLTYPE Skip(ULONG celt) = 0;
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
    virtual HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** ppEnum) = 0;

protected:
    ~IEnumVARIANT() = default;
};
KAVRO_DECLARE_IID(IEnumVARIANT, "{00020404-0000-0000-C000-000000000046}");
#endif

#include "platform/com/BstrText.h"
