#pragma once
// A short check of a recorded transport stream file, as a technician wants it
// after a recording: the packets, their sync and continuity, the services the
// stream announces and the rate its clock gives. Reads the bytes as they are;
// pure (no Qt, no COM), any thread.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TsService {
    std::uint16_t id = 0; // the program number of the PAT
    std::string name;     // from the SDT; empty when the SDT does not name it
};

struct TsCheckResult {
    std::uint64_t bytes = 0;
    std::uint64_t packets = 0;              // whole packets
    std::uint64_t partialBytes = 0;         // bytes of a cut packet at the end (a fault)
    std::uint64_t syncLosses = 0;           // packets not starting with 0x47 (a fault)
    std::uint64_t firstSyncLoss = 0;        // byte offset of the first
    std::uint64_t continuityErrors = 0;     // a counter that did not follow on its PID (a fault)
    std::uint64_t firstContinuityError = 0; // byte offset of the first
    unsigned pids = 0;                      // PIDs seen, null packets' included
    std::vector<TsService> services;        // from the first complete PAT, with SDT names
    bool hasPat = false;
    // The stream's rate from its clock: bytes between the first and the last
    // PCR of one PID over the time between them, bits per second; 0 when fewer
    // than two PCRs were found.
    double bitrate = 0;
    std::uint16_t pcrPid = 0;

    bool Sound() const { return partialBytes == 0 && syncLosses == 0 && continuityErrors == 0 && packets > 0; }
};

TsCheckResult CheckTransportStream(std::string_view bytes);

// The result as lines of text ("packets: ...", "continuity: ...", "services: ...",
// "rate: ..."), each ending in a newline.
std::string DescribeCheck(const TsCheckResult& result);
