#pragma once
// The program's command line. The program takes no options of its own: it is
// driven by its windows (and, for tests, by the environment, docs/automation.md).
// `--help` and `--version` answer before any window or display is needed.
// Pure: no Qt, no COM.
#include <string>
#include <vector>

struct CommandLineAnswer {
    bool exitNow = false; // print text and end with status, without starting
    int status = 0;
    std::string text; // for standard output (status 0) or standard error
};

// args without the program name; the first of --help (or -h) and --version
// answers. Anything else, Qt's own options (-platform, -style ...) among them,
// is left to the toolkit. version is the product version, e.g. "3.0.0.8".
CommandLineAnswer ReadCommandLine(const std::vector<std::string>& args, const std::string& version);
