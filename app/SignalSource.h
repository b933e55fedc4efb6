#pragma once
// What the signal monitor asks of the tuner: the signal statistics poll
// (under graphMutex), the empty take of graphMutex between slow cycles, and
// the driver's property calls on m_pKsCtrl. TunerSignalSource answers from
// TunerGraph; tests answer with their own.
//
// Threads: the monitor thread calls everything here; the identifier set of
// "Apply" comes from the user-interface thread. Property calls run without
// graphMutex, as the driver accepts calls from two threads at once.
#include "platform/com/Guid.h"
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

// One poll's values, each the low 8 bits of what the tuner reported. A failed
// poll leaves the defaults: quality and strength 0, locked 255 (not locked).
struct SignalSample {
    BYTE quality = 0;
    BYTE strength = 0;
    BYTE locked = 255; // 1: locked
};

class SignalSource {
public:
    virtual ~SignalSource() = default;

    // Whether TunerGraph holds the driver's property-set interface.
    virtual bool HasKsCtrl() = 0;
    // Under graphMutex (waited for without time limit): reads quality, then
    // strength, then the locked indicator from the tuner's control node
    // between input pin 0 and output pin 1. The quality read decides whether
    // the poll succeeded; on failure sample keeps its defaults. False only
    // when the tuner offers no broadcast topology: the monitor ends for good.
    virtual bool PollStatistics(SignalSample& sample) = 0;
    // Takes graphMutex and releases it at once.
    virtual void TouchGraphMutex() = 0;
    // The device-kind probe of the driver (the USB box answers the control set).
    virtual bool IsUsbTuner() = 0;
    // Support query, Get and Set on m_pKsCtrl; buffer is instance data and value.
    virtual HRESULT QuerySupported(REFGUID set, ULONG id) = 0;
    virtual HRESULT Get(REFGUID set, ULONG id, void* buffer, DWORD size) = 0;
    virtual HRESULT Set(REFGUID set, ULONG id, void* buffer, DWORD size) = 0;
};
