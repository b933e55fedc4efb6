#pragma once
// COM contract helpers for tests: reference counts, interface answers and a
// readable HRESULT in failure messages.
#include "platform/com/Unknown.h"

#include <gtest/gtest.h>

// The current reference count of an object (AddRef then Release).
ULONG refCount(IUnknown* object);

// Checks that QueryInterface for iid succeeds or fails as expected, and that a
// successful answer carries one reference that Release gives back.
::testing::AssertionResult expectInterfaceImpl(IUnknown* object, REFIID iid, bool supported);
#define expectInterface(object, iid, supported) EXPECT_TRUE(expectInterfaceImpl((object), (iid), (supported)))

// Compares two HRESULTs and names both on failure: EXPECT_HR(S_OK, hr).
::testing::AssertionResult HrEqual(const char* expectedText, const char* actualText, HRESULT expected, HRESULT actual);
#define EXPECT_HR(expected, actual) EXPECT_PRED_FORMAT2(HrEqual, expected, actual)
#define ASSERT_HR(expected, actual) ASSERT_PRED_FORMAT2(HrEqual, expected, actual)
