#include "platform/com/ClassRegistry.h"

#include <cstring>
#include <map>
#include <mutex>
#include <new>

namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return std::memcmp(&a, &b, sizeof(GUID)) < 0; }
};

struct Registry {
    std::mutex lock;
    std::map<GUID, ClassFactory, GuidLess> classes;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

struct Apartment {
    int count = 0;
    bool apartmentThreaded = false;
};
thread_local Apartment t_apartment;

} // namespace

HRESULT CoInitializeEx(LPVOID /*reserved*/, DWORD coInit)
{
    const bool sta = (coInit & COINIT_APARTMENTTHREADED) != 0;
    if (t_apartment.count > 0) {
        if (t_apartment.apartmentThreaded != sta) {
            return RPC_E_CHANGED_MODE;
        }
        ++t_apartment.count;
        return S_FALSE;
    }
    t_apartment.count = 1;
    t_apartment.apartmentThreaded = sta;
    return S_OK;
}

void CoUninitialize()
{
    if (t_apartment.count > 0) {
        --t_apartment.count;
    }
}

int CoInitializeCount() { return t_apartment.count; }

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD /*clsContext*/, REFIID riid, LPVOID* ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (t_apartment.count == 0) {
        return CO_E_NOTINITIALIZED;
    }
    if (outer && !(riid == IID_IUnknown)) {
        return E_INVALIDARG;
    }
    ClassFactory factory;
    {
        auto& registry = TheRegistry();
        std::lock_guard guard(registry.lock);
        auto it = registry.classes.find(clsid);
        if (it == registry.classes.end()) {
            return REGDB_E_CLASSNOTREG;
        }
        factory = it->second;
    }
    // Outside the registry lock: a constructor may create further classes.
    try {
        return factory(outer, riid, ppv);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

void RegisterComClass(REFCLSID clsid, ClassFactory factory)
{
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    if (factory) {
        registry.classes[clsid] = std::move(factory);
    } else {
        registry.classes.erase(clsid);
    }
}

void UnregisterComClass(REFCLSID clsid) { RegisterComClass(clsid, nullptr); }

bool IsComClassRegistered(REFCLSID clsid)
{
    auto& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    return registry.classes.count(clsid) != 0;
}

void ClearComClassRegistry()
{
    auto& registry = TheRegistry();
    std::map<GUID, ClassFactory, GuidLess> old;
    {
        std::lock_guard guard(registry.lock);
        old.swap(registry.classes);
    }
}
