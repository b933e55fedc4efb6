#pragma once
// One satellite frontend of a DVB adapter, opened through libdvbv5: what the
// tuner filter and the driver's property sets do to it. It keeps the last
// tune so an input stream or scrambling sequence chosen later re-tunes with
// it, as the card's driver does.
//
// The tune itself is a DVB v5 property list written by this class, not
// libdvbv5's own satellite handling: that one knows only its table of LNB
// types and sends its own switch command, where the program gives any
// oscillators and sends its own DiSEqC messages.
//
// Journal, beside the emulator's decoded ioctls:
//   dvb tune if=KHZ sr=N voltage=13|18 tone=on|off system=DVB-S|DVB-S2 -> HR
//   dvb diseqc BYTES -> HR
//   dvb signal locked=0|1 level=DBM|- cnr=DB|- strength=N quality=N   (when it changes)
//
// Thread-safe: one lock serialises every frontend call (the monitor thread
// polls while the user's thread tunes and sends DiSEqC).
#include "dvb/DvbMediaInfo.h"
#include "platform/com/Hresult.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct dvb_device;
struct dvb_open_descriptor;
struct dvb_v5_fe_parms;

namespace dvb {

// What a call answers once the adapter has gone (the system's
// ERROR_DEVICE_NOT_CONNECTED).
inline constexpr HRESULT kDeviceGone = HRESULT_FROM_WIN32(1167);

// Where a frontend is: /dev/dvb/adapterA/frontendF.
struct FrontendAddress {
    int adapter = 0;
    int frontend = 0;
    std::string Sysname() const; // "dvbA.frontendF"
    std::string Section() const; // "adapterA/frontendF", the devices file's section
};

// A tune request's values, kHz and kSymbols/s as the network provider has them.
struct TuneValues {
    std::uint32_t carrierKhz = 0;
    std::uint32_t symbolRateKsps = 0;
    int polarisation = 0;
    std::uint32_t lowKhz = 0;
    std::uint32_t highKhz = 0;
    std::uint32_t switchKhz = 0;
};

struct SignalReading {
    bool locked = false;
    int strength = 0; // 0 to 100
    int quality = 0;  // 0 to 100
    std::optional<std::int64_t> levelMilliDbm;
    std::optional<std::int64_t> cnrMilliDb;
};

class DvbFrontend {
public:
    ~DvbFrontend();
    DvbFrontend(const DvbFrontend&) = delete;
    DvbFrontend& operator=(const DvbFrontend&) = delete;

    // Opens the frontend for reading and writing; null and *error when it
    // cannot be opened.
    static std::unique_ptr<DvbFrontend> Open(const FrontendAddress& address, std::string* error);

    HRESULT Tune(const TuneValues& values);
    // One DiSEqC master command (3 to 6 bytes), with the tone off around it.
    HRESULT SendDiseqc(const std::uint8_t* bytes, std::size_t length);
    // The DVB stream id (nothing: every stream) and the scrambling sequence
    // index; each re-tunes when a tune was made.
    HRESULT SetStreamId(std::optional<std::uint32_t> id);
    HRESULT SetScramblingIndex(std::uint32_t gold);

    SignalReading Signal();
    // All zero while unlocked.
    StreamInfo MediaInfo();
    // False once the device has gone (an ioctl answered ENODEV).
    bool Present();

private:
    DvbFrontend() = default;
    HRESULT ApplyTune();
    bool ReadStatusLocked(bool* locked);

    std::mutex m_lock;
    dvb_device* m_device = nullptr;
    dvb_open_descriptor* m_open = nullptr;
    dvb_v5_fe_parms* m_parms = nullptr;
    int m_fd = -1;
    bool m_s2 = false;
    bool m_gone = false;
    std::optional<TuneValues> m_tune;
    std::optional<std::uint32_t> m_streamId;
    std::uint32_t m_gold = 0;
    bool m_toneOn = false;
    std::string m_lastSignal;
};

} // namespace dvb
