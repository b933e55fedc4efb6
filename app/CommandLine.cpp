#include "app/CommandLine.h"

namespace {

std::string HelpText(const std::string& version)
{
    return "Usage: Kavro-TScap [--help | --version]\n"
           "\n"
           "Kavro-TScap " +
        version +
        ": tune, lock, watch and record DVB-S/S2 transponders with\n"
        "Kavro tuners, and steer a motorised dish. Everything else is done in its windows;\n"
        "F1 opens the user guide.\n"
        "\n"
        "  --help     print this text and exit\n"
        "  --version  print the program's version and exit\n"
        "\n"
        "Environment:\n"
#ifdef _WIN32
        // The system's devices unless the simulation is asked for; drive c: is the system's.
        "  KAVRO_SIM            a world file: the simulated machine runs instead of this system's devices\n"
        "  KAVRO_MACHINE=sim    the simulated machine (with the embedded world when KAVRO_SIM is unset)\n"
#else
        "  KAVRO_SIM            a world file for the simulated machine (default: the embedded world)\n"
        "  KAVRO_DRIVE_C        the folder that stands for drive c: (default:\n"
        "                       $XDG_DATA_HOME/Kavro-TScap/drive_c, else ~/.local/share/...)\n"
#endif
        "  KAVRO_UI_SCRIPT      a script the program runs as its user (exit status 3 when it fails)\n"
        "  KAVRO_UI_TRANSCRIPT  a file for what a user would have seen\n"
        "  KAVRO_SIM_JOURNAL    a file for what the hardware saw\n";
}

} // namespace

CommandLineAnswer ReadCommandLine(const std::vector<std::string>& args, const std::string& version)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return {true, 0, HelpText(version)};
        if (arg == "--version") return {true, 0, "Kavro-TScap " + version + "\n"};
    }
    return {};
}
