#pragma once
// Base types of the media graph: times, states, directions, the pointer-sized
// integers its interfaces pass, and the result codes of samples and times.
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

#include <cstdint>

#ifdef _WIN32
#include <dshow.h>
#else

// Media time in 100 ns units, signed.
using REFERENCE_TIME = LONGLONG;

// Integers as wide as a pointer (event parameters, clock cookies).
using DWORD_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using HEVENT = DWORD_PTR;
using HSEMAPHORE = DWORD_PTR;

enum FILTER_STATE { State_Stopped = 0, State_Paused = 1, State_Running = 2 };

enum PIN_DIRECTION { PINDIR_INPUT = 0, PINDIR_OUTPUT = 1 };

// Longest pin or filter name with its terminator, in characters.
inline constexpr int MAX_PIN_NAME = 128;
inline constexpr int MAX_FILTER_NAME = 128;

// Sample and clock results.
inline constexpr HRESULT VFW_S_NO_STOP_TIME = MakeHresult(0x00040270u);
inline constexpr HRESULT VFW_E_SAMPLE_TIME_NOT_SET = MakeHresult(0x80040249u);
inline constexpr HRESULT VFW_E_MEDIA_TIME_NOT_SET = MakeHresult(0x80040251u);
#endif
