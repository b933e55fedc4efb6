// The class registry on Windows: each registered factory becomes a class
// object in the system's table (CoRegisterClassObject), in the process's
// multithreaded apartment, so CoCreateInstance of the system finds it.
#include "platform/com/ClassRegistry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <new>

namespace {

// IClassFactory over a ClassFactory function. No exception leaves it.
class FunctionClassObject final : public IClassFactory {
public:
    explicit FunctionClassObject(ClassFactory factory) : m_factory(std::move(factory)) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_ref)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&m_ref);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        try {
            return m_factory(outer, riid, ppv);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    ~FunctionClassObject() = default;
    ClassFactory m_factory;
    LONG m_ref = 1;
};

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

struct Registry {
    std::mutex lock;
    std::map<GUID, DWORD, GuidLess> cookies; // class -> CoRegisterClassObject cookie
    CO_MTA_USAGE_COOKIE mta = nullptr;       // keeps the multithreaded apartment alive
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

} // namespace

void RegisterComClass(REFCLSID clsid, ClassFactory factory)
{
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    // Registration and revocation happen in the multithreaded apartment, also
    // from a thread that never entered one.
    if (!registry.mta && FAILED(CoIncrementMTAUsage(&registry.mta))) {
        registry.mta = nullptr;
        return;
    }
    if (auto it = registry.cookies.find(clsid); it != registry.cookies.end()) {
        CoRevokeClassObject(it->second);
        registry.cookies.erase(it);
    }
    if (!factory) {
        return;
    }
    auto* object = new (std::nothrow) FunctionClassObject(std::move(factory));
    if (!object) {
        return;
    }
    DWORD cookie = 0;
    if (SUCCEEDED(CoRegisterClassObject(clsid, object, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie))) {
        registry.cookies[clsid] = cookie;
    }
    object->Release(); // the system holds its own reference
}

void UnregisterComClass(REFCLSID clsid) { RegisterComClass(clsid, nullptr); }

bool IsComClassRegistered(REFCLSID clsid)
{
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    return registry.cookies.count(clsid) != 0;
}

void ClearComClassRegistry()
{
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    for (const auto& [clsid, cookie] : registry.cookies) {
        CoRevokeClassObject(cookie);
    }
    registry.cookies.clear();
}
