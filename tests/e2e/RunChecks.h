#pragma once
// What every whole-program run of the stress tests must show when it ends,
// and what a recording it made must hold, as GoogleTest assertion results
// that say which rule failed and show the evidence.
#include "tests/e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

// The first line of a sanitizer's report in a program's stderr
// (AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer's
// "runtime error", ThreadSanitizer), or "" when there is none.
std::string SanitizerReport(const std::string& errors);

// The program exited by itself with 0, its journal ends with
// "exit live_objects=0", its stderr holds no sanitizer report and its
// transcript no `error` line (every script command ran).
::testing::AssertionResult EndedCleanly(const ProgramOutput& run);

// The file fileName of drive c: holds exactly the bytes the capture filter
// delivered during its last run (the last `capture stop bytes=` less the
// `capture run bytes=` before it), as whole packets in sync with unbroken
// continuity, and the capture filter lost no packet (`capture overrun`).
::testing::AssertionResult RecordingIsTheDelivery(const ProgramOutput& run, const std::string& fileName);

// What an independent demultiplexer (ffprobe) reads the bytes as, one line
// ("mpegts\n" for a transport stream), with its warnings but without its notes
// on the simulated elementary stream's codec, which it does not know; none when
// ffprobe is not installed.
std::optional<std::string> ProbedFormat(const std::string& bytes);
