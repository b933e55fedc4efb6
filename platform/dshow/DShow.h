#pragma once
// Every media-graph declaration of platform/dshow at once.
#include "platform/dshow/DShowTypes.h"
#include "platform/dshow/FilterInterfaces.h"
#include "platform/dshow/GraphInterfaces.h"
#include "platform/dshow/MediaTypes.h"
#include "platform/dshow/SampleInterfaces.h"
#include "platform/dshow/Uuids.h"
