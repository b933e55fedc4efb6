#pragma once
// Apartments and class creation by identifier. The class registry is empty
// until the machine behind the interfaces (the simulator, or a test) fills it.
//
// On Windows the apartments and CoCreateInstance are the system's, and the
// registry is the system's table of registered class objects: a registered
// class is a class object (CoRegisterClassObject) in the process's
// multithreaded apartment, created by every thread of that apartment.
#include "platform/com/Unknown.h"

#include <functional>

#ifndef _WIN32
inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;
inline constexpr DWORD COINIT_DISABLE_OLE1DDE = 0x4;
inline constexpr DWORD COINIT_SPEED_OVER_MEMORY = 0x8;

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC | CLSCTX_LOCAL_SERVER;

// Enters the calling thread into an apartment: S_OK the first time, S_FALSE
// when the thread is already in one of the same kind (counted), and
// RPC_E_CHANGED_MODE when it is in one of the other kind.
HRESULT CoInitializeEx(LPVOID reserved, DWORD coInit);
// Leaves once; the thread is out of its apartment when the count is back to 0.
void CoUninitialize();

// Creates one object of the class and queries it for riid.
// CO_E_NOTINITIALIZED when the calling thread is in no apartment;
// REGDB_E_CLASSNOTREG for a class nobody registered.
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsContext, REFIID riid, LPVOID* ppv);
#endif

// A class factory: creates one object (aggregated under outer, if given) and
// returns the interface riid with one reference for the caller.
using ClassFactory = std::function<HRESULT(IUnknown* outer, REFIID riid, void** ppv)>;

#ifndef _WIN32
// How many times the calling thread has entered its apartment.
int CoInitializeCount();
#endif

// Registers, replaces or (with an empty factory) removes a class. Any thread.
// On Windows the class is visible to the threads of the multithreaded
// apartment (the caller need not be in one: the process's is kept alive).
void RegisterComClass(REFCLSID clsid, ClassFactory factory);
void UnregisterComClass(REFCLSID clsid);
bool IsComClassRegistered(REFCLSID clsid);
void ClearComClassRegistry();
