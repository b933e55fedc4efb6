#pragma once
// The task-allocator helpers for media type records of the filter framework.
#include "platform/dshow/MediaTypes.h"

// Releases the format block and the format object of a record and zeroes
// both; the record itself stays.
void FreeMediaType(AM_MEDIA_TYPE& type);
// FreeMediaType, then CoTaskMemFree of a task-allocated record. Null is ignored.
void DeleteMediaType(AM_MEDIA_TYPE* type);
// Copies source into target (whose old contents are not freed): a fresh format
// block and a new reference to the format object. When the block cannot be
// allocated, target->cbFormat is 0 and the result is E_OUTOFMEMORY.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
// A task-allocated copy of source, or null when memory runs out. The caller
// frees it with DeleteMediaType.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);
