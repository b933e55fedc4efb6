// kavro-tscheck FILE: a short check of a recorded transport stream (TsCheck.h).
// Exit status: 0 sound, 1 a fault found (sync, a cut packet, continuity, or no
// packet at all), 2 the file cannot be read.
#include "tools/tscheck/TsCheck.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kavro-tscheck FILE\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "kavro-tscheck: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        std::fprintf(stderr, "kavro-tscheck: reading %s failed\n", argv[1]);
        return 2;
    }
    const TsCheckResult result = CheckTransportStream(bytes);
    std::fputs(DescribeCheck(result).c_str(), stdout);
    return result.Sound() ? 0 : 1;
}
