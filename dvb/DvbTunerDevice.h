#pragma once
// One opened DVB frontend with the driver in front of it: what a tuner
// filter (and its control node) holds for its life. Shared, so the control
// node the program keeps a while longer still finds its frontend.
#include "dvb/DvbDriver.h"
#include "dvb/DvbFrontend.h"

#include <memory>

namespace dvb {

class DvbTunerDevice {
public:
    DvbTunerDevice(std::shared_ptr<DvbFrontend> frontend, DriverSet set)
        : m_frontend(std::move(frontend)),
          m_driver(m_frontend, set)
    {}
    DvbTunerDevice(const DvbTunerDevice&) = delete;
    DvbTunerDevice& operator=(const DvbTunerDevice&) = delete;

    DvbFrontend& Frontend() { return *m_frontend; }
    DvbDriver& Driver() { return m_driver; }

private:
    std::shared_ptr<DvbFrontend> m_frontend;
    DvbDriver m_driver;
};

} // namespace dvb
