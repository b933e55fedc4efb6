#include "tests/support/ComAssert.h"

ULONG refCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

::testing::AssertionResult expectInterfaceImpl(IUnknown* object, REFIID iid, bool supported)
{
    void* out = reinterpret_cast<void*>(0x1);
    const HRESULT hr = object->QueryInterface(iid, &out);
    if (supported) {
        if (hr != S_OK || !out) {
            return ::testing::AssertionFailure()
                << "QueryInterface(" << GuidToString(iid) << ") gave " << HresultText(hr) << ", expected S_OK";
        }
        static_cast<IUnknown*>(out)->Release();
        return ::testing::AssertionSuccess();
    }
    if (hr != E_NOINTERFACE || out != nullptr) {
        return ::testing::AssertionFailure() << "QueryInterface(" << GuidToString(iid) << ") gave " << HresultText(hr)
                                             << ", expected E_NOINTERFACE and null";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult HrEqual(const char* expectedText, const char* actualText, HRESULT expected, HRESULT actual)
{
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << actualText << " is " << HresultText(actual) << ", expected " << expectedText
                                         << " = " << HresultText(expected);
}
