// The stress runs rely on SanitizerReport to see a sanitizer's finding in a
// program's stderr; what the program prints otherwise is no finding.
#include "tests/e2e/RunChecks.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RunChecks, SanitizerReportFindsEachSanitizersFirstLine)
{
    struct Case {
        const char* name;
        std::string errors;
        std::string report;
    };
    const Case cases[] = {
        {"nothing", "", ""},
        {"a Qt notice", "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'\n", ""},
        {"a simulator warning", "Kavro-TScap simulator: warning: world: [World] Tee=maybe is not 0 or 1\n", ""},
        {"address", "notice\n==4711==ERROR: AddressSanitizer: heap-use-after-free on address 0x6020\n",
         "==4711==ERROR: AddressSanitizer: heap-use-after-free on address 0x6020"},
        {"leak", "==12==ERROR: LeakSanitizer: detected memory leaks\n\nDirect leak of 24 byte(s)\n",
         "==12==ERROR: LeakSanitizer: detected memory leaks"},
        {"undefined behaviour", "sim/tuner/Dish.cpp:41:17: runtime error: signed integer overflow\n",
         "sim/tuner/Dish.cpp:41:17: runtime error: signed integer overflow"},
        {"thread", "==================\nWARNING: ThreadSanitizer: data race (pid=9)\n",
         "WARNING: ThreadSanitizer: data race (pid=9)"},
        {"summary only", "SUMMARY: UndefinedBehaviorSanitizer: undefined-behavior a.cpp:1:2\n",
         "SUMMARY: UndefinedBehaviorSanitizer: undefined-behavior a.cpp:1:2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.report, SanitizerReport(c.errors));
    }
}

} // namespace
