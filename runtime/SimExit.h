#pragma once
// The journal's last line, `exit live_objects=N`, with the number of
// simulator objects still alive. The program's main calls it once, after
// everything it held is released.

namespace runtime {

void SimWriteExitLine();

} // namespace runtime
