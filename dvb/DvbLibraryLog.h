#pragma once
// Where libdvbv5's messages go: a library that prints would write over the
// program's output, so its errors and warnings become journal lines
// `dvb library "TEXT"`; its notices are dropped.
// Any thread.
namespace dvb {

void LibraryLog(int level, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace dvb
