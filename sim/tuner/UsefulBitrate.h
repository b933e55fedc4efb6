#pragma once
// The useful bitrate of a transponder: the bits per second of the stream the
// card delivers.
//
// DVB-S (EN 300 421): each QPSK symbol carries 2 bits; the inner code keeps
// the code rate's share; Reed-Solomon (204,188) keeps 188 of 204 bytes:
//
//   R = SR * 2 * CR * 188 / 204
//
// DVB-S2 (EN 302 307): a PLFRAME carries one FEC frame of Nldpc bits (64800
// normal, 16200 short) as S = Nldpc / (90 * bits per symbol) slots of 90
// symbols, after a 90-symbol header, plus a 36-symbol pilot block after every
// 16 slots when pilots are on. Its payload is the BCH input Kbch less the
// 80-bit baseband header:
//
//   symbols = 90 * (S + 1) + (pilots ? 36 * floor((S - 1) / 16) : 0)
//   R       = SR * (Kbch - 80) / symbols
//
// With input stream synchronisation each 188-byte packet carries 2 more
// bytes (short ISSY), so R shrinks by 188/190. A multistream signal shares
// the frames equally among its input streams; R is one stream's share.
#include "sim/tuner/Transponder.h"

namespace sim {

// Bits per second of the stream one input stream of this transponder carries.
double UsefulBitrate(const Transponder& transponder);

// Kbch of EN 302 307 tables 5a and 5b; 0 for a rate the frame length lacks.
int BchInputBits(CodeRate rate, bool shortFrame);

} // namespace sim
