#pragma once
// Installs the media runtime's graph classes in the class
// registry: the filter graph manager, the system clock, the infinite pin tee
// and the MPEG-2 demultiplexer. The memory allocator has its own
// RegisterMemAllocatorClass. Any thread.

namespace runtime {

void RegisterGraphClasses();

} // namespace runtime
