#pragma once
// The whole program started as a user would start it, driven by a UI script,
// offscreen, with drive c: in a fresh folder: what the transcript, the log, the
// journal and drive c: hold afterwards.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/JournalTail.h"
#include "tests/support/LogTexts.h"
#include "tests/support/TextLines.h"

#include <gtest/gtest.h>

class TempDir;

struct ProgramRunOptions {
    std::string world;       // a world file's text; empty runs the embedded world
    std::string shellPrefix; // shell commands before the program, e.g. "ulimit -f 1024; "
    std::filesystem::path program = KAVRO_PROGRAM;
    std::string environment; // NAME='value' settings after the run's own, which they override
};

struct ProgramOutput {
    int exitCode = -1; // -1 when the program did not exit by itself
    int signal = 0;    // the signal that ended it, if one did
    std::string transcript;
    std::string journal;
    std::string log;              // c:\iptools.log
    std::string errors;           // what it wrote to stderr: sanitizer reports land here
    std::shared_ptr<TempDir> dir; // the run's folder, kept for the caller

    std::filesystem::path DriveC() const;
    // A file of drive c:, "" when it is not there.
    std::string FileOnC(const std::string& name) const;
    std::string LastJournalLine() const;
};

ProgramOutput RunProgram(const std::string& script, const ProgramRunOptions& options = {});

// LogTexts(log) (tests/support/LogTexts.h) gives the log lines without their
// headers; JournalNumbers(journal, prefix) (tests/support/JournalTail.h) the
// numbers of the journal lines that start with prefix.
// Packets in sync, whole, with unbroken continuity per PID: the first fault
// found, or empty.
std::string TransportStreamFault(const std::string& file);
