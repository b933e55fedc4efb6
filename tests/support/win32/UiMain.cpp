// The main of every test executable that runs the Windows dialog toolkit: the
// test thread is the UI thread, as the program's main thread is.
#include "platform/ui/UiThread.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    BeginUiThread();
    const int result = RUN_ALL_TESTS();
    EndUiThread();
    return result;
}
