#include "tests/e2e/RunNormalisation.h"

#include "tests/support/LogTexts.h"
#include "tests/support/TextLines.h"

#include <regex>
#include <span>

namespace {

enum class Action {
    Replace, // the matched part becomes the replacement ($1 and so on are its groups)
    Drop,    // the line goes
    Squeeze, // a line equal to the one kept before it goes
};

struct Rule {
    Action action;
    const char* pattern;
    const char* replacement;
    const char* reason;
};

// The transcript (docs/automation.md), rule by rule.
constexpr Rule kTranscriptRules[] = {
    {Action::Replace, R"~(^(control 103[45] edit )"[0-9]+"( enabled=0 ))~", R"~($1"N"$2)~",
     "the signal panel's strength and quality carry the simulated noise of the moment they are read"},
    {Action::Replace, R"~(^(control 1004 progress .* pos=)[0-9]+)~", "$1N",
     "the recording's progress bar is read while the recording runs: how far it got is timing"},
    {Action::Replace, R"~(^shell open "([a-zA-Z]):.*\\\\([^\\]+)"$)~", R"~(shell open "PROGRAM-FOLDER\\$2")~",
     "F1 names the help file in the program's folder, each run's own temporary folder"},
};

// The simulator's journal (docs/simulator.md), rule by rule.
constexpr Rule kJournalRules[] = {
    {Action::Drop, R"~(^debug )~", "",
     "debug output is the journal's on Linux; on Windows it goes to the system's debugger"},
    {Action::Replace, R"~(^sim world ".*"$)~", R"~(sim world "WORLD")~",
     "the world file is named by a Linux path on one build and by its Wine path (Z:\\...) on the other"},
    {Action::Replace, R"~(^sim sky ".*"( satellites=))~", R"~(sim sky "SKY"$1)~",
     "the sky folder is named by a Linux path on one build and by its Wine path (Z:\\...) on the other"},
    {Action::Replace, R"~(^(capture (run|stop) bytes=)[0-9]+)~", "$1N",
     "how many bytes the capture filter delivered by a graph's start or stop is timing; the recording's own "
     "check compares them with the file on each build"},
    {Action::Drop, R"~(^ks (query|get) BDA 12 )~", "",
     "the signal monitor reads the demodulator on a timer, so how many reads fall between two steps is timing; "
     "the transcript shows what they gave"},
    {Action::Squeeze, R"~(^ks query CTRL 1 )~", "",
     "each read asks first whether the vendor's control set is there: left in a row by the reads dropped above"},
};

std::vector<std::string> Normalised(const std::vector<std::string>& lines, std::span<const Rule> rules)
{
    std::vector<std::string> out;
    for (std::string line : lines) {
        bool keep = true;
        for (const Rule& rule : rules) {
            const std::regex pattern(rule.pattern);
            if (!std::regex_search(line, pattern)) continue;
            if (rule.action == Action::Drop || (rule.action == Action::Squeeze && !out.empty() && out.back() == line)) {
                keep = false;
                break;
            }
            if (rule.action == Action::Replace) line = std::regex_replace(line, pattern, rule.replacement);
        }
        if (keep) out.push_back(line);
    }
    return out;
}

} // namespace

std::vector<std::string> NormalisedTranscript(const std::string& transcript)
{
    return Normalised(Lines(transcript), kTranscriptRules);
}

std::vector<std::string> NormalisedJournal(const std::string& journal)
{
    return Normalised(Lines(journal), kJournalRules);
}

std::vector<std::string> NormalisedLog(const std::string& log) { return LogTexts(log); }
