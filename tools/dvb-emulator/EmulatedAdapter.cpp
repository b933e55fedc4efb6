#include "tools/dvb-emulator/EmulatedAdapter.h"

#include <linux/dvb/dmx.h>
#include <linux/dvb/version.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace dvbemu {

namespace {

// How long a DVR read waits for packets while nothing is locked before it
// answers EAGAIN: short enough that a reader stops in good time.
constexpr std::int64_t kIdleReadMs = 200;

const char* PropertyName(std::uint32_t cmd)
{
    switch (cmd) {
    case DTV_TUNE:
        return "DTV_TUNE";
    case DTV_CLEAR:
        return "DTV_CLEAR";
    case DTV_FREQUENCY:
        return "DTV_FREQUENCY";
    case DTV_MODULATION:
        return "DTV_MODULATION";
    case DTV_INVERSION:
        return "DTV_INVERSION";
    case DTV_SYMBOL_RATE:
        return "DTV_SYMBOL_RATE";
    case DTV_INNER_FEC:
        return "DTV_INNER_FEC";
    case DTV_VOLTAGE:
        return "DTV_VOLTAGE";
    case DTV_TONE:
        return "DTV_TONE";
    case DTV_PILOT:
        return "DTV_PILOT";
    case DTV_ROLLOFF:
        return "DTV_ROLLOFF";
    case DTV_DELIVERY_SYSTEM:
        return "DTV_DELIVERY_SYSTEM";
    case DTV_API_VERSION:
        return "DTV_API_VERSION";
    case DTV_STREAM_ID:
        return "DTV_STREAM_ID";
    case DTV_ENUM_DELSYS:
        return "DTV_ENUM_DELSYS";
    case DTV_STAT_SIGNAL_STRENGTH:
        return "DTV_STAT_SIGNAL_STRENGTH";
    case DTV_STAT_CNR:
        return "DTV_STAT_CNR";
    case DTV_STAT_PRE_ERROR_BIT_COUNT:
        return "DTV_STAT_PRE_ERROR_BIT_COUNT";
    case DTV_STAT_PRE_TOTAL_BIT_COUNT:
        return "DTV_STAT_PRE_TOTAL_BIT_COUNT";
    case DTV_STAT_POST_ERROR_BIT_COUNT:
        return "DTV_STAT_POST_ERROR_BIT_COUNT";
    case DTV_STAT_POST_TOTAL_BIT_COUNT:
        return "DTV_STAT_POST_TOTAL_BIT_COUNT";
    case DTV_STAT_ERROR_BLOCK_COUNT:
        return "DTV_STAT_ERROR_BLOCK_COUNT";
    case DTV_STAT_TOTAL_BLOCK_COUNT:
        return "DTV_STAT_TOTAL_BLOCK_COUNT";
    case DTV_SCRAMBLING_SEQUENCE_INDEX:
        return "DTV_SCRAMBLING_SEQUENCE_INDEX";
    default:
        return nullptr;
    }
}

std::string PropertyText(std::uint32_t cmd)
{
    const char* name = PropertyName(cmd);
    return name ? name : "DTV_" + std::to_string(cmd);
}

constexpr std::uint32_t U(std::uint32_t value) { return value; }

std::uint32_t ModulationOf(sim::Modulation m)
{
    switch (m) {
    case sim::Modulation::Qpsk:
        return QPSK;
    case sim::Modulation::Psk8:
        return PSK_8;
    case sim::Modulation::Apsk16:
        return APSK_16;
    case sim::Modulation::Apsk32:
        return APSK_32;
    }
    return QPSK;
}

std::uint32_t FecOf(sim::CodeRate r)
{
    switch (r) {
    case sim::CodeRate::R1_4: // no value in the DVB API
    case sim::CodeRate::R1_3:
        return FEC_AUTO;
    case sim::CodeRate::R2_5:
        return FEC_2_5;
    case sim::CodeRate::R1_2:
        return FEC_1_2;
    case sim::CodeRate::R3_5:
        return FEC_3_5;
    case sim::CodeRate::R2_3:
        return FEC_2_3;
    case sim::CodeRate::R3_4:
        return FEC_3_4;
    case sim::CodeRate::R4_5:
        return FEC_4_5;
    case sim::CodeRate::R5_6:
        return FEC_5_6;
    case sim::CodeRate::R6_7:
        return FEC_6_7;
    case sim::CodeRate::R7_8:
        return FEC_7_8;
    case sim::CodeRate::R8_9:
        return FEC_8_9;
    case sim::CodeRate::R9_10:
        return FEC_9_10;
    }
    return FEC_AUTO;
}

std::uint32_t RollOffOf(sim::RollOff r)
{
    switch (r) {
    case sim::RollOff::R035:
        return ROLLOFF_35;
    case sim::RollOff::R025:
        return ROLLOFF_25;
    case sim::RollOff::R020:
        return ROLLOFF_20;
    }
    return ROLLOFF_35;
}

void Stat(dtv_property& p, fecap_scale_params scale, std::int64_t value)
{
    p.u.st.len = 1;
    p.u.st.stat[0].scale = scale;
    p.u.st.stat[0].svalue = value;
}

} // namespace

EmulatedAdapter::EmulatedAdapter(int adapter, const sim::Sky& sky, const sim::CableSpec& cable, const sim::Site& site,
                                 const sim::SimClock& clock, JournalSink journal)
    : m_adapter(adapter),
      m_clock(clock),
      m_journal(std::move(journal)),
      m_demodulator(sky, cable, site, clock)
{}

std::string EmulatedAdapter::Where() const { return "adapter" + std::to_string(m_adapter) + "/frontend0"; }

void EmulatedAdapter::Journal(const std::string& text) { m_journal("dvb " + text + " [" + Where() + "]"); }

void EmulatedAdapter::Remove()
{
    m_gone = true;
    Journal("removed");
}

int EmulatedAdapter::GetInfo(dvb_frontend_info* info)
{
    if (Gone()) return ENODEV;
    *info = dvb_frontend_info{};
    std::snprintf(info->name, sizeof info->name, "%s", kDriverName);
    info->type = FE_QPSK;
    info->frequency_min = 950'000; // kHz on satellite
    info->frequency_max = 2'150'000;
    info->frequency_stepsize = 1'000;
    info->symbol_rate_min = 1'000'000;
    info->symbol_rate_max = 45'000'000;
    info->caps = static_cast<fe_caps>(FE_CAN_INVERSION_AUTO | FE_CAN_FEC_AUTO | FE_CAN_QPSK | FE_CAN_RECOVER |
                                      FE_CAN_2G_MODULATION | FE_CAN_MULTISTREAM);
    Journal("FE_GET_INFO");
    return 0;
}

int EmulatedAdapter::SetProperties(dtv_property* props, std::uint32_t count)
{
    if (Gone()) return ENODEV;
    std::string line = "FE_SET_PROPERTY";
    bool tune = false;
    {
        std::lock_guard guard(m_lock);
        for (std::uint32_t i = 0; i < count; ++i) {
            const dtv_property& p = props[i];
            line += " " + PropertyText(p.cmd) + "=" + std::to_string(p.u.data);
            switch (p.cmd) {
            case DTV_CLEAR:
                m_frequency = 0;
                m_symbolRate = 0;
                m_streamId = NO_STREAM_ID_FILTER;
                m_gold = 0;
                break;
            case DTV_DELIVERY_SYSTEM:
                m_system = p.u.data;
                break;
            case DTV_FREQUENCY:
                m_frequency = p.u.data;
                break;
            case DTV_SYMBOL_RATE:
                m_symbolRate = p.u.data;
                break;
            case DTV_STREAM_ID:
                m_streamId = p.u.data;
                break;
            case DTV_SCRAMBLING_SEQUENCE_INDEX:
                m_gold = p.u.data;
                break;
            case DTV_VOLTAGE:
                m_demodulator.SetVoltage(p.u.data == SEC_VOLTAGE_18);
                break;
            case DTV_TONE:
                m_demodulator.SetTone(p.u.data == SEC_TONE_ON);
                break;
            case DTV_TUNE:
                tune = true;
                break;
            default:
                break; // modulation, code rate, roll-off, pilots: found by the demodulator
            }
        }
        if (tune) {
            if (m_system != SYS_DVBS && m_system != SYS_DVBS2) {
                Journal(line + " -> EINVAL");
                return EINVAL;
            }
            if (m_streamId == NO_STREAM_ID_FILTER) {
                m_demodulator.AnyInputStream();
            } else {
                m_demodulator.SetInputStreamId(static_cast<int>(m_streamId & 0xFF));
            }
            m_demodulator.SetScrambling(m_gold);
            m_demodulator.TuneIntermediate(m_frequency, (m_symbolRate + 500) / 1000);
            m_tuned = true;
        }
    }
    Journal(line);
    return 0;
}

void EmulatedAdapter::Answer(dtv_property& p)
{
    const auto stream = m_tuned ? m_demodulator.CurrentStream() : std::nullopt;
    switch (p.cmd) {
    case DTV_API_VERSION:
        p.u.data = (DVB_API_VERSION << 8) | DVB_API_VERSION_MINOR;
        break;
    case DTV_ENUM_DELSYS:
        p.u.buffer.len = 2;
        p.u.buffer.data[0] = U(SYS_DVBS);
        p.u.buffer.data[1] = U(SYS_DVBS2);
        break;
    case DTV_DELIVERY_SYSTEM:
        p.u.data =
            stream ? (stream->transponder.system == sim::DeliverySystem::DvbS2 ? U(SYS_DVBS2) : U(SYS_DVBS)) : m_system;
        break;
    case DTV_FREQUENCY:
        p.u.data = m_frequency;
        break;
    case DTV_SYMBOL_RATE:
        p.u.data = m_symbolRate;
        break;
    case DTV_MODULATION:
        p.u.data = stream ? ModulationOf(stream->transponder.modulation) : U(QAM_AUTO);
        break;
    case DTV_INNER_FEC:
        p.u.data = stream ? FecOf(stream->transponder.fec) : U(FEC_AUTO);
        break;
    case DTV_ROLLOFF:
        p.u.data = stream ? RollOffOf(stream->transponder.rollOff) : U(ROLLOFF_AUTO);
        break;
    case DTV_PILOT:
        p.u.data = stream ? (stream->transponder.pilots ? U(PILOT_ON) : U(PILOT_OFF)) : U(PILOT_AUTO);
        break;
    case DTV_INVERSION:
        p.u.data =
            stream ? (stream->transponder.spectrumInverted ? U(INVERSION_ON) : U(INVERSION_OFF)) : U(INVERSION_AUTO);
        break;
    case DTV_STREAM_ID:
        p.u.data = stream && stream->transponder.IsMultistream() ? static_cast<std::uint32_t>(stream->inputStreamId)
                                                                 : m_streamId;
        break;
    case DTV_SCRAMBLING_SEQUENCE_INDEX:
        p.u.data = m_gold;
        break;
    case DTV_STAT_SIGNAL_STRENGTH:
    case DTV_STAT_CNR: {
        // The demodulator's 0-100 figures as dB readings, by the inverse of
        // the program's mapping: level = strength * 0.6 - 90 dBm,
        // C/N = quality * 0.15 dB (nothing measured while unlocked).
        const sim::SignalStatistics s = m_tuned ? m_demodulator.Statistics() : sim::SignalStatistics{};
        if (!m_tuned) {
            p.u.st.len = 1;
            p.u.st.stat[0].scale = FE_SCALE_NOT_AVAILABLE;
        } else if (p.cmd == DTV_STAT_SIGNAL_STRENGTH) {
            Stat(p, FE_SCALE_DECIBEL, static_cast<std::int64_t>(s.strength) * 600 - 90'000);
        } else if (s.locked) {
            Stat(p, FE_SCALE_DECIBEL, static_cast<std::int64_t>(s.quality) * 150);
        } else {
            p.u.st.len = 1;
            p.u.st.stat[0].scale = FE_SCALE_NOT_AVAILABLE;
        }
        break;
    }
    default:
        if (p.cmd >= DTV_STAT_SIGNAL_STRENGTH && p.cmd <= DTV_STAT_TOTAL_BLOCK_COUNT) {
            p.u.st.len = 1;
            p.u.st.stat[0].scale = FE_SCALE_NOT_AVAILABLE;
        } else {
            p.u.data = 0;
        }
        break;
    }
}

int EmulatedAdapter::GetProperties(dtv_property* props, std::uint32_t count)
{
    if (Gone()) return ENODEV;
    std::string line = "FE_GET_PROPERTY";
    {
        std::lock_guard guard(m_lock);
        for (std::uint32_t i = 0; i < count; ++i) {
            Answer(props[i]);
            const dtv_property& p = props[i];
            line += " " + PropertyText(p.cmd) + "=";
            if (p.cmd >= DTV_STAT_SIGNAL_STRENGTH && p.cmd <= DTV_STAT_TOTAL_BLOCK_COUNT) {
                line += p.u.st.stat[0].scale == FE_SCALE_DECIBEL ? std::to_string(p.u.st.stat[0].svalue) + "mdB" : "-";
            } else if (p.cmd == DTV_ENUM_DELSYS) {
                line += "DVB-S,DVB-S2";
            } else {
                line += std::to_string(p.u.data);
            }
        }
    }
    Journal(line);
    return 0;
}

int EmulatedAdapter::ReadStatus(fe_status_t* status)
{
    if (Gone()) return ENODEV;
    bool tuned = false;
    {
        std::lock_guard guard(m_lock);
        tuned = m_tuned;
    }
    const sim::SignalStatistics s = tuned ? m_demodulator.Statistics() : sim::SignalStatistics{};
    unsigned value = 0;
    if (s.strength > 0) value |= FE_HAS_SIGNAL;
    if (s.locked) value |= FE_HAS_CARRIER | FE_HAS_VITERBI | FE_HAS_SYNC | FE_HAS_LOCK;
    *status = static_cast<fe_status_t>(value);
    Journal("FE_READ_STATUS " + std::string(s.locked ? "LOCK" : s.strength > 0 ? "SIGNAL" : "0"));
    return 0;
}

int EmulatedAdapter::SetVoltage(unsigned long voltage)
{
    if (Gone()) return ENODEV;
    if (voltage == SEC_VOLTAGE_OFF) {
        Journal("FE_SET_VOLTAGE off");
        return 0;
    }
    if (voltage != SEC_VOLTAGE_13 && voltage != SEC_VOLTAGE_18) return EINVAL;
    m_demodulator.SetVoltage(voltage == SEC_VOLTAGE_18);
    Journal(std::string("FE_SET_VOLTAGE ") + (voltage == SEC_VOLTAGE_18 ? "18" : "13"));
    return 0;
}

int EmulatedAdapter::SetTone(unsigned long tone)
{
    if (Gone()) return ENODEV;
    if (tone != SEC_TONE_ON && tone != SEC_TONE_OFF) return EINVAL;
    m_demodulator.SetTone(tone == SEC_TONE_ON);
    Journal(std::string("FE_SET_TONE ") + (tone == SEC_TONE_ON ? "on" : "off"));
    return 0;
}

int EmulatedAdapter::SendMasterCommand(const dvb_diseqc_master_cmd& command)
{
    if (Gone()) return ENODEV;
    if (command.msg_len < 3 || command.msg_len > 6) {
        Journal("FE_DISEQC_SEND_MASTER_CMD length=" + std::to_string(command.msg_len) + " -> EINVAL");
        return EINVAL;
    }
    std::string line = "FE_DISEQC_SEND_MASTER_CMD";
    for (unsigned i = 0; i < command.msg_len; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", command.msg[i]);
        line += hex;
    }
    Journal(line);
    m_demodulator.SendDiseqc(command.msg, command.msg_len);
    return 0;
}

int EmulatedAdapter::SendBurst(unsigned long burst)
{
    if (Gone()) return ENODEV;
    // A tone burst picks satellite A or B of a simple switch; the emulated
    // cable has a committed switch only, which ignores it.
    Journal(std::string("FE_DISEQC_SEND_BURST ") + (burst == SEC_MINI_B ? "B" : "A"));
    return 0;
}

int EmulatedAdapter::ReadLegacy(const char* name, std::uint32_t* value)
{
    if (Gone()) return ENODEV;
    bool tuned = false;
    {
        std::lock_guard guard(m_lock);
        tuned = m_tuned;
    }
    const sim::SignalStatistics s = tuned ? m_demodulator.Statistics() : sim::SignalStatistics{};
    const std::string which = name;
    if (which == "FE_READ_SIGNAL_STRENGTH")
        *value = static_cast<std::uint32_t>(s.strength * 65535 / 100);
    else if (which == "FE_READ_SNR")
        *value = static_cast<std::uint32_t>(s.quality * 65535 / 100);
    else
        *value = 0; // bit errors, uncorrected blocks: none
    Journal(which + " " + std::to_string(*value));
    return 0;
}

int EmulatedAdapter::Unknown(const char* device, unsigned long request)
{
    char hex[24];
    std::snprintf(hex, sizeof hex, "%08lX", request);
    Journal(std::string(device) + " ioctl " + hex + " -> ENOTTY");
    return Gone() ? ENODEV : ENOTTY;
}

int EmulatedAdapter::DemuxPesFilter(std::uint16_t pid, int output)
{
    if (Gone()) return ENODEV;
    char text[64];
    std::snprintf(text, sizeof text, "DMX_SET_PES_FILTER pid=0x%04X output=%d", pid, output);
    Journal(text);
    return 0;
}

int EmulatedAdapter::DemuxStart()
{
    if (Gone()) return ENODEV;
    std::lock_guard guard(m_lock);
    m_streaming = true;
    Journal("DMX_START");
    return 0;
}

int EmulatedAdapter::DemuxStop()
{
    if (Gone()) return ENODEV;
    std::lock_guard guard(m_lock);
    m_streaming = false;
    Journal("DMX_STOP");
    return 0;
}

int EmulatedAdapter::DemuxBufferSize(unsigned long size)
{
    if (Gone()) return ENODEV;
    Journal("DMX_SET_BUFFER_SIZE " + std::to_string(size));
    return 0;
}

int EmulatedAdapter::DemuxOther(const char* name)
{
    if (Gone()) return ENODEV;
    Journal(name);
    return 0;
}

long EmulatedAdapter::ReadDvr(std::uint8_t* buffer, std::size_t size, int* error, std::int64_t* waitMs)
{
    *waitMs = 0;
    if (Gone()) {
        *error = ENODEV;
        return -1;
    }
    bool streaming = false;
    bool tuned = false;
    {
        std::lock_guard guard(m_lock);
        streaming = m_streaming;
        tuned = m_tuned;
    }
    const auto now = m_clock.NowMs();
    if (!streaming) {
        m_stream.Halt();
        *waitMs = kIdleReadMs;
        return 0;
    }
    const auto locked = tuned ? m_demodulator.CurrentStream() : std::nullopt;
    // A generic stream does not pass a transport-stream demux.
    const auto passed = locked && locked->output == sim::OutputFormat::TransportStream ? locked : std::nullopt;
    const sim::CaptureStream::Step step = m_stream.Plan(passed, now);
    if (step.newStream) m_journal("dvb DVR " + *step.newStream + " [" + Where() + "]");
    if (const std::uint64_t lost = m_stream.TakeLostPackets()) {
        Journal("DVR read -> EOVERFLOW lost=" + std::to_string(lost));
        *error = EOVERFLOW;
        return -1;
    }
    if (step.packets == 0) {
        *waitMs = std::max<std::int64_t>(1, step.waitMs);
        return 0;
    }
    return static_cast<long>(m_stream.Fill(buffer, size));
}

} // namespace dvbemu
