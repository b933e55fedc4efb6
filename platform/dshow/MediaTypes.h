#pragma once
// AM_MEDIA_TYPE, the identifiers of the major types, subtypes and format types
// the graph uses, and the task-allocator helpers for media type records.
#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"
#include "platform/dshow/DShowTypes.h"

// A media type. The format block (pbFormat, cbFormat bytes) is allocated with
// CoTaskMemAlloc and owned by whoever owns the record; pUnk, when set, is a
// counted reference owned the same way.
struct AM_MEDIA_TYPE {
    GUID majortype;
    GUID subtype;
    BOOL bFixedSizeSamples;
    BOOL bTemporalCompression;
    ULONG lSampleSize;
    GUID formattype;
    IUnknown* pUnk;
    ULONG cbFormat;
    BYTE* pbFormat;
};

inline constexpr GUID MEDIATYPE_Stream = GuidLiteral("{E436EB83-524F-11CE-9F53-0020AF0BA770}");
inline constexpr GUID MEDIATYPE_MPEG2_SECTIONS = GuidLiteral("{455F176C-4B06-47CE-9AEF-8CAEF73DF7B5}");
inline constexpr GUID MEDIASUBTYPE_None = GuidLiteral("{E436EB8E-524F-11CE-9F53-0020AF0BA770}");
inline constexpr GUID MEDIASUBTYPE_MPEG2_TRANSPORT = GuidLiteral("{E06D8023-DB46-11CF-B4D1-00805F6CBBEA}");
inline constexpr GUID MEDIASUBTYPE_DVB_SI = GuidLiteral("{E9DD31A3-221D-4ADB-8532-9AF309C1A408}");
inline constexpr GUID KSDATAFORMAT_TYPE_MPEG2_SECTIONS = MEDIATYPE_MPEG2_SECTIONS;
inline constexpr GUID KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT = GuidLiteral("{F4AEB342-0329-4FDD-A8FD-4AFF4926C978}");
inline constexpr GUID FORMAT_None = GuidLiteral("{0F6417D6-C318-11D0-A43F-00A0C9223196}");

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
