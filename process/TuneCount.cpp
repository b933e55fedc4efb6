#include "process/TuneCount.h"

std::atomic<unsigned> tuneCount{0};
