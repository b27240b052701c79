// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>
#include <om/sys/clock.h>
#include <om/sys/debug_output.h>
