#pragma once
// Transcripts, journals and logs as lines, and whether lines appear in a given
// order (other lines may come between them).
#include <gtest/gtest.h>

#include <string>
#include <vector>

// The lines of text, without their line ends ("\n" or "\r\n").
std::vector<std::string> Lines(const std::string& text);
bool HasLine(const std::string& text, const std::string& line);
// True when every line of expected appears in lines, in that order.
::testing::AssertionResult HasInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected);
::testing::AssertionResult HasLinesInOrder(const std::string& text, const std::vector<std::string>& expected);
