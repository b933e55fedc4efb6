#pragma once
// AM_MEDIA_TYPE and the identifiers of the major types, subtypes and format
// types the graph uses. The helpers for media type records belong to the filter
// framework (filterbase/MediaTypeFunctions.h).
#include "platform/com/Guid.h"
#include "platform/com/Unknown.h"
#include "platform/dshow/DShowTypes.h"

#ifdef _WIN32
#include <dshow.h>
#include <ks.h>
#include <ksmedia.h>
#include <bdamedia.h>
#else

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
#endif
