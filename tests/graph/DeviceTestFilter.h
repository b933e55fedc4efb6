#pragma once
// Small filters on the filter framework that stand in for a tuner, a receiver
// component or a transport information filter in the graph tests: pins of
// given names, directions and major types, and optionally an IKsPropertySet
// on the filter or on a pin that answers one property set and logs what it
// receives.
#include "filterbase/CBaseFilter.h"
#include "filterbase/CBasePin.h"
#include "platform/com/Guid.h"
#include "platform/dshow/KsPropertySet.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// Every property call the test objects receive, in order; any thread.
class KsLog {
public:
    struct Call {
        std::string object; // the label of the filter or pin that received it
        std::string op;     // "query", "get" or "set"
        GUID set;
        ULONG id;
        std::vector<BYTE> instance;
        std::vector<BYTE> value;
    };
    void Add(Call call);
    std::vector<Call> Calls() const;

private:
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
};

// The property-set side of a test filter or pin: answers every property of
// one set (S_OK) and refuses everything else.
struct KsAnswer {
    std::string label;               // names the object in the log
    std::optional<GUID> answeredSet; // none: no property is supported
    std::shared_ptr<KsLog> log;
};

struct TestPinSpec {
    std::wstring name;
    PIN_DIRECTION dir = PINDIR_INPUT;
    GUID majorType = GUID_NULL;
    std::optional<KsAnswer> ks; // none: the pin offers no IKsPropertySet
};

struct TestFilterSpec {
    std::vector<TestPinSpec> pins;
    std::optional<KsAnswer> ks; // none: the filter offers no IKsPropertySet
    bool tunes = false;         // takes the network provider's tune requests (S_OK)
};

// A new test filter with one reference for *filter.
HRESULT CreateDeviceTestFilter(const TestFilterSpec& spec, IBaseFilter** filter);

// Pin specs of the usual kinds.
TestPinSpec AntennaInput(std::wstring name, std::optional<KsAnswer> ks = std::nullopt);
TestPinSpec StreamOutput(std::wstring name);
TestPinSpec StreamInput(std::wstring name);
// An input that accepts no stream type at all (a receiver that never connects).
TestPinSpec DeafInput(std::wstring name);

// A small tuner (taking tune requests) and receiver components: one that
// connects behind the tuner and one whose input takes nothing.
TestFilterSpec TunerSpec(std::optional<KsAnswer> filterKs = std::nullopt, std::optional<KsAnswer> pinKs = std::nullopt);
TestFilterSpec CaptureSpec();
TestFilterSpec DeafCaptureSpec();
