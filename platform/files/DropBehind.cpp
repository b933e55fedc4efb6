#include "platform/files/DropBehind.h"

#include <fcntl.h>

#include <algorithm>

DropBehind::Step DropBehind::Advance(LONGLONG length)
{
    const LONGLONG complete = length - length % kChunk;
    if (complete <= m_writeBackFrom) {
        return {};
    }
    Step step;
    step.writeFrom = m_writeBackFrom;
    step.writeBytes = complete - m_writeBackFrom;
    m_writeBackFrom = complete;
    // Write-back of these pages started at least kLag bytes of writing ago.
    const LONGLONG behind = complete - kLag;
    if (behind > m_droppedTo) {
        step.dropFrom = std::max<LONGLONG>(0, m_droppedTo - kRetry);
        step.dropBytes = behind - step.dropFrom;
        m_droppedTo = behind;
    }
    return step;
}

void DropBehind::Apply(int fd, const Step& step)
{
    if (step.writeBytes > 0) {
        // Starts the write-back only; SYNC_FILE_RANGE_WAIT_* would wait for the disk.
        ::sync_file_range(fd, step.writeFrom, step.writeBytes, SYNC_FILE_RANGE_WRITE);
    }
    if (step.dropBytes > 0) {
        // Drops the clean pages of the range; dirty ones and those under
        // write-back stay.
        ::posix_fadvise(fd, step.dropFrom, step.dropBytes, POSIX_FADV_DONTNEED);
    }
}
