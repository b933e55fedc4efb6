#pragma once
// The component task allocator: memory that crosses interface boundaries.
#include <cstddef>

#ifdef _WIN32
#include <objbase.h>
#else
void* CoTaskMemAlloc(std::size_t size);
void* CoTaskMemRealloc(void* block, std::size_t size);
void CoTaskMemFree(void* block); // null is ignored
#endif
