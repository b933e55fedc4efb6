#pragma once
// The positioner's own DiSEqC sender: puts one message for the dish
// positioner on the tuner's LNB cable through the driver's property sets, on
// TunerGraph's m_pKsCtrl, for every motor button and the USALS goto.
//
//   - PCI-E cards (the control set's probe is not supported): the 11-byte
//     DiseqcMessage record as instance data and value of KSPROPERTY_BDA_DISEQC,
//     with no support query first; any result but S_OK shows the application's
//     box "SendDiseqCommandN71 QueryInterface Failed" (exclamation icon).
//   - USB box: KSPROPERTY_CTRL_DISEQC must answer its support query, else
//     nothing is sent; the message goes into TuningBlock from byte 21 on
//     (exactly its own bytes; the rest of the block keeps what it held) and the
//     whole 288-byte block is the value, with no instance data. Failures are
//     not shown.
//   - No m_pKsCtrl: nothing is sent, nothing shown.
//
// User-interface thread (TuningBlock is written there only); no lock is
// taken, while the monitor thread may use the same interface. Shows at most
// one message box, which blocks the call until it is dismissed.
#include "platform/com/Hresult.h"
#include "platform/com/WinTypes.h"

#include <cstddef>

// message: length bytes, framing byte first (the positioner's commands have 3
// to 5). Returns the driver's result, which the buttons ignore; E_POINTER
// without an interface or message, E_INVALIDARG for a length the driver
// records cannot carry (0 or more than 10), or the support query's failure on
// the USB box.
HRESULT SendMotorCommand(const BYTE* message, std::size_t length);
