// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>
#include <om/sys/locale.h>
#include <om/textio/parser.h>
#include <om/textio/writer.h>
