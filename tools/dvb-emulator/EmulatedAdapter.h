#pragma once
// One tuner of a simulated world as a Linux DVB adapter: what its frontend,
// demux and DVR devices answer, worked out by the simulator's own
// demodulator, LNB cable (switch and positioner), sky and stream generator.
// The system-call side (umockdev) lives in main.cpp; this class sees only
// decoded requests, so every answer can be checked without a testbed.
//
// Every request writes one journal line with its decoded values, for example
//   dvb FE_SET_PROPERTY DTV_FREQUENCY=1744000 ... [adapter0/frontend0]
//   dvb FE_SET_VOLTAGE 18 [adapter0/frontend0]
//   dvb FE_DISEQC_SEND_MASTER_CMD E0 10 38 F3 [adapter0/frontend0]
//
// Thread-safe: the ioctl thread and the DVR pacing thread call it at once.
#include "sim/tuner/CaptureStream.h"
#include "sim/tuner/Demodulator.h"

#include <linux/dvb/frontend.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace dvbemu {

using JournalSink = std::function<void(const std::string&)>;

// The model name the emulated driver reports (FE_GET_INFO): a driver's own
// name, as real drivers report, which the program's devices file renames.
inline constexpr const char* kDriverName = "Emulated DVB-S/S2 demodulator";

class EmulatedAdapter {
public:
    EmulatedAdapter(int adapter, const sim::Sky& sky, const sim::CableSpec& cable, const sim::Site& site,
                    const sim::SimClock& clock, JournalSink journal);

    int Number() const { return m_adapter; }
    std::string Where() const; // "adapterA/frontend0"

    // The adapter is unplugged: every later request answers ENODEV.
    void Remove();
    bool Gone() const { return m_gone.load(); }

    // Frontend requests; each answers 0 or an errno value.
    int GetInfo(dvb_frontend_info* info);
    int SetProperties(dtv_property* props, std::uint32_t count);
    int GetProperties(dtv_property* props, std::uint32_t count);
    int ReadStatus(fe_status_t* status);
    int SetVoltage(unsigned long voltage);
    int SetTone(unsigned long tone);
    int SendMasterCommand(const dvb_diseqc_master_cmd& command);
    int SendBurst(unsigned long burst);
    // The DVB API 3 readings libdvbv5 falls back on.
    int ReadLegacy(const char* name, std::uint32_t* value);
    // A request this emulation does not know: ENOTTY.
    int Unknown(const char* device, unsigned long request);

    // Demux: every PID (0x2000) to the DVR when started.
    int DemuxPesFilter(std::uint16_t pid, int output);
    int DemuxStart();
    int DemuxStop();
    int DemuxBufferSize(unsigned long size);
    int DemuxOther(const char* name);

    // What a DVR read answers now: bytes written (a multiple of 188) and 0,
    // or -1 and an errno value; *waitMs > 0 when the read should be asked
    // again after that long (nothing due yet).
    long ReadDvr(std::uint8_t* buffer, std::size_t size, int* error, std::int64_t* waitMs);

private:
    void Journal(const std::string& text);
    // Fills in what GET_PROPERTY answers for one property.
    void Answer(dtv_property& p);

    const int m_adapter;
    const sim::SimClock& m_clock;
    JournalSink m_journal;
    std::atomic<bool> m_gone{false};

    std::mutex m_lock; // the values below; the demodulator has its own
    sim::Demodulator m_demodulator;
    std::uint32_t m_system = SYS_DVBS2;
    std::uint32_t m_frequency = 0;
    std::uint32_t m_symbolRate = 0;
    std::uint32_t m_streamId = NO_STREAM_ID_FILTER;
    std::uint32_t m_gold = 0;
    bool m_tuned = false;
    bool m_streaming = false;
    sim::CaptureStream m_stream; // the DVR pacing thread's only
};

} // namespace dvbemu
