#pragma once
// Two runs of one script, by the Linux build and by the Windows build, side by
// side: their transcripts, journals and logs must be equal once normalised
// (RunNormalisation.h). A failure names the first line where they part, with the
// lines around it.
#include "tests/e2e/ProgramRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

::testing::AssertionResult SameLines(const std::string& what, const std::vector<std::string>& linuxLines,
                                     const std::vector<std::string>& windowsLines);

// Transcript, journal and log.
::testing::AssertionResult SameRun(const ProgramOutput& linuxRun, const ProgramOutput& windowsRun);
