#include "dvb/DvbFrontend.h"

#include "dvb/DvbLibraryLog.h"
#include "dvb/DvbTuning.h"
#include "platform/com/Journal.h"

// dvb-dev.h declares its functions without C linkage of its own.
extern "C" {
#include <libdvbv5/dvb-dev.h>
}
#include <libdvbv5/dvb-fe.h>
#include <linux/dvb/frontend.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace dvb {

namespace {

// DiSEqC bus timing: the tone stops at least
// 15 ms before a message, and the bus is quiet 15 ms after it.
constexpr auto kDiseqcQuiet = std::chrono::milliseconds(15);

std::string Decibels(const std::optional<std::int64_t>& milli, const char* unit)
{
    if (!milli) return "-";
    char text[40];
    std::snprintf(text, sizeof text, "%.3f%s", static_cast<double>(*milli) / 1000.0, unit);
    return text;
}

HRESULT FromErrno(int error)
{
    if (error == ENODEV) return kDeviceGone;
    if (error == EINVAL || error == ERANGE) return E_INVALIDARG;
    return E_FAIL;
}

} // namespace

std::string FrontendAddress::Sysname() const
{
    return "dvb" + std::to_string(adapter) + ".frontend" + std::to_string(frontend);
}

std::string FrontendAddress::Section() const
{
    return "adapter" + std::to_string(adapter) + "/frontend" + std::to_string(frontend);
}

std::unique_ptr<DvbFrontend> DvbFrontend::Open(const FrontendAddress& address, std::string* error)
{
    std::unique_ptr<DvbFrontend> frontend(new DvbFrontend());
    frontend->m_device = dvb_dev_alloc();
    if (!frontend->m_device) {
        *error = "out of memory";
        return nullptr;
    }
    dvb_dev_set_log(frontend->m_device, 0, &LibraryLog);
    if (dvb_dev_find(frontend->m_device, nullptr, nullptr) != 0) {
        *error = "the DVB devices cannot be listed";
        return nullptr;
    }
    frontend->m_open = dvb_dev_open(frontend->m_device, address.Sysname().c_str(), O_RDWR);
    if (!frontend->m_open) {
        *error = "/dev/dvb/" + address.Section() + " cannot be opened";
        return nullptr;
    }
    frontend->m_parms = frontend->m_device->fe_parms;
    frontend->m_fd = dvb_dev_get_fd(frontend->m_open);
    for (int i = 0; i < frontend->m_parms->num_systems; ++i) {
        if (frontend->m_parms->systems[i] == SYS_DVBS2) frontend->m_s2 = true;
    }
    // DVB-S2 with modulation and code rate found by the demodulator, where it can.
    frontend->m_s2 = frontend->m_s2 && (frontend->m_parms->info.caps & FE_CAN_FEC_AUTO) != 0;
    return frontend;
}

DvbFrontend::~DvbFrontend()
{
    if (m_open) dvb_dev_close(m_open);
    if (m_device) dvb_dev_free(m_device);
}

HRESULT DvbFrontend::Tune(const TuneValues& values)
{
    std::lock_guard guard(m_lock);
    m_tune = values;
    return ApplyTune();
}

HRESULT DvbFrontend::ApplyTune()
{
    const TuneValues& v = *m_tune;
    const LnbTune lnb = ChooseLnb(v.carrierKhz, v.lowKhz, v.highKhz, v.switchKhz, v.polarisation);
    HRESULT hr = S_OK;
    // Voltage first: it powers the LNB and picks the polarisation; then the band.
    if (dvb_fe_sec_voltage(m_parms, 1, lnb.horizontal ? 1 : 0) != 0 ||
        dvb_fe_sec_tone(m_parms, lnb.highBand ? SEC_TONE_ON : SEC_TONE_OFF) != 0) {
        hr = FromErrno(errno);
    }
    m_toneOn = lnb.highBand;
    if (SUCCEEDED(hr)) {
        std::vector<dtv_property> props;
        auto add = [&props](std::uint32_t cmd, std::uint32_t value) {
            dtv_property p{};
            p.cmd = cmd;
            p.u.data = value;
            props.push_back(p);
        };
        add(DTV_CLEAR, 0);
        add(DTV_DELIVERY_SYSTEM, m_s2 ? SYS_DVBS2 : SYS_DVBS);
        add(DTV_FREQUENCY, lnb.intermediateKhz);
        add(DTV_SYMBOL_RATE, v.symbolRateKsps * 1000);
        add(DTV_MODULATION, m_s2 ? QAM_AUTO : QPSK);
        add(DTV_INNER_FEC, FEC_AUTO);
        add(DTV_INVERSION, INVERSION_AUTO);
        if (m_s2) {
            add(DTV_ROLLOFF, ROLLOFF_AUTO);
            add(DTV_PILOT, PILOT_AUTO);
            add(DTV_STREAM_ID, m_streamId.value_or(NO_STREAM_ID_FILTER));
            add(DTV_SCRAMBLING_SEQUENCE_INDEX, m_gold);
        }
        add(DTV_TUNE, 0);
        dtv_properties list{static_cast<std::uint32_t>(props.size()), props.data()};
        if (ioctl(m_fd, FE_SET_PROPERTY, &list) != 0) hr = FromErrno(errno);
    }
    if (hr == kDeviceGone) m_gone = true;
    if (JournalEnabled()) {
        JournalWrite("dvb tune if=" + std::to_string(lnb.intermediateKhz) +
                     " sr=" + std::to_string(v.symbolRateKsps * 1000) + " voltage=" + (lnb.horizontal ? "18" : "13") +
                     " tone=" + (lnb.highBand ? "on" : "off") + " system=" + (m_s2 ? "DVB-S2" : "DVB-S") + " -> " +
                     JournalResult(hr));
    }
    return hr;
}

HRESULT DvbFrontend::SendDiseqc(const std::uint8_t* bytes, std::size_t length)
{
    std::lock_guard guard(m_lock);
    HRESULT hr = S_OK;
    if (length < 3 || length > 6) {
        hr = E_INVALIDARG; // a master command is 3 to 6 bytes
    } else {
        // The tone would corrupt the message: off around it, back after.
        dvb_fe_sec_tone(m_parms, SEC_TONE_OFF);
        std::this_thread::sleep_for(kDiseqcQuiet);
        if (dvb_fe_diseqc_cmd(m_parms, static_cast<unsigned>(length), bytes) != 0) hr = FromErrno(errno);
        std::this_thread::sleep_for(kDiseqcQuiet);
        if (m_toneOn) dvb_fe_sec_tone(m_parms, SEC_TONE_ON);
    }
    if (hr == kDeviceGone) m_gone = true;
    if (JournalEnabled()) JournalWrite("dvb diseqc " + JournalHex(bytes, length) + " -> " + JournalResult(hr));
    return hr;
}

HRESULT DvbFrontend::SetStreamId(std::optional<std::uint32_t> id)
{
    std::lock_guard guard(m_lock);
    m_streamId = id;
    return m_tune ? ApplyTune() : S_OK;
}

HRESULT DvbFrontend::SetScramblingIndex(std::uint32_t gold)
{
    std::lock_guard guard(m_lock);
    m_gold = gold;
    return m_tune ? ApplyTune() : S_OK;
}

bool DvbFrontend::ReadStatusLocked(bool* locked)
{
    fe_status_t status{};
    if (ioctl(m_fd, FE_READ_STATUS, &status) != 0) {
        if (errno == ENODEV) m_gone = true;
        *locked = false;
        return false;
    }
    *locked = (status & FE_HAS_LOCK) != 0;
    return true;
}

SignalReading DvbFrontend::Signal()
{
    std::lock_guard guard(m_lock);
    SignalReading reading;
    if (!m_tune || m_gone || !ReadStatusLocked(&reading.locked)) return reading;
    dtv_property props[2]{};
    props[0].cmd = DTV_STAT_SIGNAL_STRENGTH;
    props[1].cmd = DTV_STAT_CNR;
    dtv_properties list{2, props};
    std::optional<std::uint64_t> relativeLevel;
    std::optional<std::uint64_t> relativeCnr;
    if (ioctl(m_fd, FE_GET_PROPERTY, &list) == 0) {
        const dtv_stats& level = props[0].u.st.stat[0];
        if (props[0].u.st.len > 0 && level.scale == FE_SCALE_DECIBEL) reading.levelMilliDbm = level.svalue;
        if (props[0].u.st.len > 0 && level.scale == FE_SCALE_RELATIVE) relativeLevel = level.uvalue;
        const dtv_stats& cnr = props[1].u.st.stat[0];
        if (props[1].u.st.len > 0 && cnr.scale == FE_SCALE_DECIBEL) reading.cnrMilliDb = cnr.svalue;
        if (props[1].u.st.len > 0 && cnr.scale == FE_SCALE_RELATIVE) relativeCnr = cnr.uvalue;
    }
    reading.strength = StrengthPercent(reading.levelMilliDbm, relativeLevel);
    reading.quality = QualityPercent(reading.locked, reading.cnrMilliDb, relativeCnr);
    if (JournalEnabled()) {
        std::string line = "dvb signal locked=" + std::string(reading.locked ? "1" : "0") +
            " level=" + Decibels(reading.levelMilliDbm, "dBm") + " cnr=" + Decibels(reading.cnrMilliDb, "dB") +
            " strength=" + std::to_string(reading.strength) + " quality=" + std::to_string(reading.quality);
        if (line != m_lastSignal) {
            JournalWrite(line);
            m_lastSignal = std::move(line);
        }
    }
    return reading;
}

StreamInfo DvbFrontend::MediaInfo()
{
    std::lock_guard guard(m_lock);
    bool locked = false;
    if (!m_tune || m_gone || !ReadStatusLocked(&locked) || !locked) return StreamInfo{};
    const std::uint32_t cmds[] = {DTV_DELIVERY_SYSTEM, DTV_FREQUENCY, DTV_SYMBOL_RATE, DTV_MODULATION, DTV_INNER_FEC,
                                  DTV_ROLLOFF,         DTV_PILOT,     DTV_INVERSION,   DTV_STREAM_ID};
    dtv_property props[std::size(cmds)]{};
    for (std::size_t i = 0; i < std::size(cmds); ++i) props[i].cmd = cmds[i];
    dtv_properties list{static_cast<std::uint32_t>(std::size(cmds)), props};
    if (ioctl(m_fd, FE_GET_PROPERTY, &list) != 0) {
        if (errno == ENODEV) m_gone = true;
        return StreamInfo{};
    }
    FrontendParameters p;
    p.deliverySystem = props[0].u.data;
    p.frequencyKhz = props[1].u.data;
    p.symbolRate = props[2].u.data;
    p.modulation = props[3].u.data;
    p.innerFec = props[4].u.data;
    p.rollOff = props[5].u.data;
    p.pilot = props[6].u.data;
    p.inversion = props[7].u.data;
    p.streamId = props[8].u.data;
    return MediaInfoFrom(p);
}

bool DvbFrontend::Present()
{
    std::lock_guard guard(m_lock);
    return !m_gone;
}

} // namespace dvb
