// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>
