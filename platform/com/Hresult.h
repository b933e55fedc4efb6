#pragma once
// HRESULT: the 32-bit result of every platform and driver call. Negative is a
// failure; S_FALSE is a success that says "not quite".
#include <cstdint>
#include <string>

#ifdef _WIN32
#include <windows.h>
#include <vfwmsgs.h>
#else
using HRESULT = std::int32_t;

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#endif

// A code from its 32 bits, as codes are written (unsigned hex).
constexpr HRESULT MakeHresult(std::uint32_t bits) { return static_cast<HRESULT>(bits); }

#ifndef _WIN32

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;

inline constexpr HRESULT E_NOTIMPL = MakeHresult(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = MakeHresult(0x80004002u);
inline constexpr HRESULT E_POINTER = MakeHresult(0x80004003u);
inline constexpr HRESULT E_ABORT = MakeHresult(0x80004004u);
inline constexpr HRESULT E_FAIL = MakeHresult(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = MakeHresult(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = MakeHresult(0x80070005u);
inline constexpr HRESULT E_HANDLE = MakeHresult(0x80070006u);
inline constexpr HRESULT E_OUTOFMEMORY = MakeHresult(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = MakeHresult(0x80070057u);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHresult(0x80040110u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHresult(0x80040154u);
inline constexpr HRESULT CO_E_NOTINITIALIZED = MakeHresult(0x800401F0u);
inline constexpr HRESULT RPC_E_CHANGED_MODE = MakeHresult(0x80010106u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHresult(0x80020005u);
inline constexpr HRESULT STG_E_FILENOTFOUND = MakeHresult(0x80030002u);

// Win32 errors carried as HRESULTs (facility 7).
inline constexpr HRESULT HRESULT_FROM_WIN32(std::uint32_t error)
{
    return error == 0 ? S_OK : MakeHresult((error & 0xFFFFu) | 0x80070000u);
}
inline constexpr std::uint32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::uint32_t ERROR_SET_NOT_FOUND = 1170;
inline constexpr std::uint32_t ERROR_NOT_FOUND = 1168;
inline constexpr std::uint32_t ERROR_DISK_FULL = 112;
inline constexpr std::uint32_t ERROR_INSUFFICIENT_BUFFER = 122;

// Media-graph framework codes.
inline constexpr HRESULT VFW_S_NO_MORE_ITEMS = MakeHresult(0x00040103u);
inline constexpr HRESULT VFW_S_STATE_INTERMEDIATE = MakeHresult(0x00040237u);
inline constexpr HRESULT VFW_S_CANT_CUE = MakeHresult(0x00040268u);
inline constexpr HRESULT VFW_E_INVALIDMEDIATYPE = MakeHresult(0x80040200u);
inline constexpr HRESULT VFW_E_NEED_OWNER = MakeHresult(0x80040202u);
inline constexpr HRESULT VFW_E_ENUM_OUT_OF_SYNC = MakeHresult(0x80040203u);
inline constexpr HRESULT VFW_E_ALREADY_CONNECTED = MakeHresult(0x80040204u);
inline constexpr HRESULT VFW_E_FILTER_ACTIVE = MakeHresult(0x80040205u);
inline constexpr HRESULT VFW_E_NO_ACCEPTABLE_TYPES = MakeHresult(0x80040207u);
inline constexpr HRESULT VFW_E_INVALID_DIRECTION = MakeHresult(0x80040208u);
inline constexpr HRESULT VFW_E_NOT_CONNECTED = MakeHresult(0x80040209u);
inline constexpr HRESULT VFW_E_NO_ALLOCATOR = MakeHresult(0x8004020Au);
inline constexpr HRESULT VFW_E_RUNTIME_ERROR = MakeHresult(0x8004020Bu);
inline constexpr HRESULT VFW_E_BUFFER_NOTSET = MakeHresult(0x8004020Cu);
inline constexpr HRESULT VFW_E_BUFFER_OVERFLOW = MakeHresult(0x8004020Du);
inline constexpr HRESULT VFW_E_BADALIGN = MakeHresult(0x8004020Eu);
inline constexpr HRESULT VFW_E_ALREADY_COMMITTED = MakeHresult(0x8004020Fu);
inline constexpr HRESULT VFW_E_BUFFERS_OUTSTANDING = MakeHresult(0x80040210u);
inline constexpr HRESULT VFW_E_NOT_COMMITTED = MakeHresult(0x80040211u);
inline constexpr HRESULT VFW_E_SIZENOTSET = MakeHresult(0x80040212u);
inline constexpr HRESULT VFW_E_NO_CLOCK = MakeHresult(0x80040213u);
inline constexpr HRESULT VFW_E_NO_SINK = MakeHresult(0x80040214u);
inline constexpr HRESULT VFW_E_NO_INTERFACE = MakeHresult(0x80040215u);
inline constexpr HRESULT VFW_E_NOT_FOUND = MakeHresult(0x80040216u);
inline constexpr HRESULT VFW_E_CANNOT_CONNECT = MakeHresult(0x80040217u);
inline constexpr HRESULT VFW_E_CANNOT_RENDER = MakeHresult(0x80040218u);
inline constexpr HRESULT VFW_E_CHANGING_FORMAT = MakeHresult(0x80040219u);
inline constexpr HRESULT VFW_E_NOT_STOPPED = MakeHresult(0x80040224u);
inline constexpr HRESULT VFW_E_NOT_PAUSED = MakeHresult(0x80040225u);
inline constexpr HRESULT VFW_E_NOT_RUNNING = MakeHresult(0x80040226u);
inline constexpr HRESULT VFW_E_WRONG_STATE = MakeHresult(0x80040227u);
inline constexpr HRESULT VFW_E_TYPE_NOT_ACCEPTED = MakeHresult(0x8004022Au);
inline constexpr HRESULT VFW_E_SAMPLE_REJECTED = MakeHresult(0x8004022Bu);
inline constexpr HRESULT VFW_E_TIMEOUT = MakeHresult(0x8004022Eu);
inline constexpr HRESULT VFW_E_DUPLICATE_NAME = MakeHresult(0x8004025Au);
inline constexpr HRESULT VFW_E_NO_TRANSPORT = MakeHresult(0x80040266u);
#endif

// "S_OK", "VFW_E_NOT_STOPPED" ...; unknown codes give "".
const char* HresultName(HRESULT hr);
// "0x80040224" (eight upper-case hex digits), as the journal writes results.
std::string HresultHex(HRESULT hr);
// "VFW_E_NOT_STOPPED (0x80040224)" for traces and test failures.
std::string HresultText(HRESULT hr);
