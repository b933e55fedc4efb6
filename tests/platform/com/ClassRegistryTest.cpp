#include "platform/com/ClassRegistry.h"
#include "platform/com/ComPtr.h"
#include "platform/com/Sync.h"
#include "platform/com/TaskMem.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TestComObject.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

struct ICounter : IUnknown {
    virtual int STDMETHODCALLTYPE Value() = 0;
};
KAVRO_DECLARE_IID(ICounter, "{11111111-2222-3333-4444-555555555555}");
constexpr CLSID CLSID_Counter = GuidLiteral("{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");

LONG g_live = 0;

class Counter final : public HeapTestComObject<ICounter> {
public:
    Counter() { InterlockedIncrement(&g_live); }
    ~Counter() override { InterlockedDecrement(&g_live); }
    int STDMETHODCALLTYPE Value() override { return 42; }
};

class ClassRegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterComClass(CLSID_Counter, [](IUnknown* outer, REFIID riid, void** ppv) -> HRESULT {
            if (outer) return CLASS_E_NOAGGREGATION;
            ComPtr<ICounter> counter(new Counter);
            return counter->QueryInterface(riid, ppv);
        });
    }
    void TearDown() override
    {
        UnregisterComClass(CLSID_Counter);
        EXPECT_EQ(g_live, 0);
    }
};

TEST_F(ClassRegistryTest, ApartmentModes)
{
    EXPECT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY));
    EXPECT_HR(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_HR(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CoUninitialize();
    CoUninitialize();
}

// Linux only: Windows has no count to ask, and there the registry keeps the
// process's multithreaded apartment alive, so a thread that never entered an
// apartment may create the registered classes too.
#ifndef _WIN32
TEST_F(ClassRegistryTest, ApartmentCounts)
{
    EXPECT_EQ(CoInitializeCount(), 0);
    EXPECT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_SPEED_OVER_MEMORY));
    EXPECT_HR(S_FALSE, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    EXPECT_HR(RPC_E_CHANGED_MODE, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    EXPECT_EQ(CoInitializeCount(), 2);
    CoUninitialize();
    CoUninitialize();
    EXPECT_EQ(CoInitializeCount(), 0);
    CoUninitialize(); // one too many is harmless
    EXPECT_EQ(CoInitializeCount(), 0);
}

TEST_F(ClassRegistryTest, CreationNeedsAnApartmentOnTheCallingThread)
{
    void* out = reinterpret_cast<void*>(1);
    EXPECT_HR(CO_E_NOTINITIALIZED, CoCreateInstance(CLSID_Counter, nullptr, CLSCTX_INPROC_SERVER, IID_ICounter, &out));
    EXPECT_EQ(out, nullptr);

    ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    std::thread other([] {
        void* p = nullptr;
        EXPECT_HR(CO_E_NOTINITIALIZED,
                  CoCreateInstance(CLSID_Counter, nullptr, CLSCTX_INPROC_SERVER, IID_ICounter, &p));
    });
    other.join();
    CoUninitialize();
}
#endif

TEST_F(ClassRegistryTest, CreatesRegisteredClassesOnly)
{
    ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ComPtr<ICounter> counter;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_Counter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&counter)));
    EXPECT_EQ(counter->Value(), 42);
    EXPECT_EQ(refCount(counter.Get()), 1u);
    expectInterface(counter.Get(), IID_IUnknown, true);
    expectInterface(counter.Get(), GuidLiteral("{00000000-0000-0000-0000-000000000001}"), false);

    void* out = reinterpret_cast<void*>(1);
    EXPECT_HR(REGDB_E_CLASSNOTREG,
              CoCreateInstance(GuidLiteral("{12345678-0000-0000-0000-000000000000}"), nullptr, CLSCTX_INPROC_SERVER,
                               IID_IUnknown, &out));
    EXPECT_EQ(out, nullptr);
    EXPECT_HR(E_POINTER, CoCreateInstance(CLSID_Counter, nullptr, CLSCTX_INPROC_SERVER, IID_ICounter, nullptr));

    UnregisterComClass(CLSID_Counter);
    EXPECT_FALSE(IsComClassRegistered(CLSID_Counter));
    ComPtr<ICounter> none;
    EXPECT_HR(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_Counter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&none)));
    counter = nullptr;
    CoUninitialize();
}

TEST_F(ClassRegistryTest, SmartPointerCountsEveryCopyOnce)
{
    ComPtr<ICounter> a(new Counter);
    EXPECT_EQ(refCount(a.Get()), 1u);
    {
        ComPtr<ICounter> b = a;
        EXPECT_EQ(refCount(a.Get()), 2u);
        ComPtr<ICounter> c = std::move(b);
        EXPECT_FALSE(b);
        EXPECT_EQ(refCount(a.Get()), 2u);
        // Self-assignment keeps the reference; through an alias, as it happens in
        // real code (a plain "c = c" is a compiler warning).
        const ComPtr<ICounter>& alias = c;
        c = alias;
        EXPECT_EQ(refCount(a.Get()), 2u);
    }
    EXPECT_EQ(refCount(a.Get()), 1u);
    ComPtr<IUnknown> unknown;
    EXPECT_HR(S_OK, a.QueryInterface(unknown));
    EXPECT_EQ(refCount(a.Get()), 2u);
    ICounter* raw = a.Detach();
    EXPECT_FALSE(a);
    a.Attach(raw);
    EXPECT_EQ(refCount(a.Get()), 2u);
}

TEST(TaskMem, AllocatesUsableBlocksAndIgnoresNull)
{
    auto* p = static_cast<char*>(CoTaskMemAlloc(16));
    ASSERT_NE(p, nullptr);
    p[15] = 'x';
    CoTaskMemFree(p);
    CoTaskMemFree(nullptr);
    void* zero = CoTaskMemAlloc(0);
    EXPECT_NE(zero, nullptr);
    CoTaskMemFree(zero);
}

} // namespace
