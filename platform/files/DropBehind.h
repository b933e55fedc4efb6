#pragma once
// Drop-behind for a file written front to back: a long recording must not
// leave its whole file in the page cache (at 160 Mbit/s that is 1.2 GB a
// minute, pushing out everything else the machine had cached).
//
// Each time another chunk of the file is complete its write-back is started;
// pages a lag behind the write position, written back by then, are dropped
// from the cache. Nothing here waits for the disk: a page still being
// written back stays and is dropped on one of the next steps, so a slow disk
// leaves more pages cached but never holds the writer up. The writes
// themselves are untouched (one write per sample, every byte).
//
// Threads: whoever writes the file (SequentialFile's writer).
#include "platform/com/WinTypes.h"

class DropBehind {
public:
    // Small enough that starting one chunk's write-back (a few milliseconds)
    // does not hold the writer up for longer than the capture's buffers last.
    static constexpr LONGLONG kChunk = LONGLONG{4} << 20;
    // Pages this far behind the end of the last complete chunk may be dropped.
    static constexpr LONGLONG kLag = 2 * kChunk;
    // Pages dropped earlier are asked for again this far back (those that
    // were still being written back then).
    static constexpr LONGLONG kRetry = 4 * kChunk;

    // Byte ranges from the start of the file; 0 bytes: nothing to do.
    struct Step {
        LONGLONG writeFrom = 0;
        LONGLONG writeBytes = 0;
        LONGLONG dropFrom = 0;
        LONGLONG dropBytes = 0;
    };

    // The file has grown to length bytes: what to start writing back and what
    // to drop now. Nothing until another whole chunk is complete.
    Step Advance(LONGLONG length);
    // A new, empty file.
    void Reset() { *this = DropBehind(); }
    // Carries a step out on an open file; failures are ignored (the cache is
    // only advised, and a failing disk reports through the writes).
    static void Apply(int fd, const Step& step);

private:
    LONGLONG m_writeBackFrom = 0; // write-back started for the bytes before this
    LONGLONG m_droppedTo = 0;     // bytes before this were asked to leave the cache
};
