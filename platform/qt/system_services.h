#pragma once
// The desktop's side of the platform layer: the locale's separators, over the clock and the
// folders that the command line shares (platform/system_services.h).

#include "platform/separators.h"
#include "platform/system_services.h"

namespace tobrisk {

Separators localeSeparators();

}  // namespace tobrisk
