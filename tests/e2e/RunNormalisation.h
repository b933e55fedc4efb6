#pragma once
// What may differ between two runs of the same script, by the Linux build and by
// the Windows build under Wine, and why: each rule (RunNormalisation.cpp holds
// them all, with their reasons) rewrites or drops the lines where the builds may
// rightly differ, so what is left must be equal line for line.
#include <string>
#include <vector>

std::vector<std::string> NormalisedTranscript(const std::string& transcript);
std::vector<std::string> NormalisedJournal(const std::string& journal);
// The texts of c:\iptools.log without their time headers (LogTexts).
std::vector<std::string> NormalisedLog(const std::string& log);
