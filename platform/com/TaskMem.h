#pragma once
// The component task allocator: memory that crosses interface boundaries.
#include <cstddef>

void* CoTaskMemAlloc(std::size_t size);
void* CoTaskMemRealloc(void* block, std::size_t size);
void CoTaskMemFree(void* block); // null is ignored
