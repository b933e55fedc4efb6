#pragma once
// MediaTypeValue: a media type that owns its format block (task-allocated)
// and holds a counted reference to its format object. It is an AM_MEDIA_TYPE,
// so it can be passed wherever one is read.
//
// Copies can fail for lack of memory, so they are explicit (Assign, Copy)
// and report E_OUTOFMEMORY; moves never fail.
#include "platform/dshow/MediaTypes.h"

class MediaTypeValue : public AM_MEDIA_TYPE {
public:
    // Initialised: every field zero, then fixed-size samples TRUE and sample size 1.
    MediaTypeValue();
    // Only the major type given, the rest initialised.
    explicit MediaTypeValue(const GUID& majorType);
    ~MediaTypeValue();
    MediaTypeValue(const MediaTypeValue&) = delete;
    MediaTypeValue& operator=(const MediaTypeValue&) = delete;
    MediaTypeValue(MediaTypeValue&& other) noexcept;
    MediaTypeValue& operator=(MediaTypeValue&& other) noexcept;

    // Nothing for the same object; else Free, then a copy of other: a fresh
    // format block and a new reference to its format object. E_OUTOFMEMORY
    // (format size 0) when the block cannot be allocated.
    HRESULT Assign(const AM_MEDIA_TYPE& other);
    // Releases the format block (size and pointer back to 0) and the format object.
    void Free();
    // Replaces the format block by a copy of size bytes at data (none for 0).
    HRESULT SetFormat(const void* data, ULONG size);
    // Moves every field into target, whose old contents are not freed; this
    // value is initialised again.
    void MoveTo(AM_MEDIA_TYPE& target);

    bool IsPartiallySpecified() const { return IsPartiallySpecified(*this); }
    bool MatchesPartial(const AM_MEDIA_TYPE& pattern) const { return MatchesPartial(*this, pattern); }
    // Same major type, subtype, format type and format block byte for byte.
    bool Equals(const AM_MEDIA_TYPE& other) const;

    // The same operations on a plain record.
    static void Initialise(AM_MEDIA_TYPE& type);
    // True when the major type or the format type is GUID_NULL.
    static bool IsPartiallySpecified(const AM_MEDIA_TYPE& type);
    // False when a field the pattern specifies (not GUID_NULL) differs: major
    // type, subtype, or format type with its size and block; else true.
    static bool MatchesPartial(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& pattern);
    // Frees a task-allocated record and what it owns; null is ignored.
    static void Delete(AM_MEDIA_TYPE* type);
};
