// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/string.h>
#include <om/core/version.h>
#include <om/core/wide_text.h>
#include <om/sys/text.h>
