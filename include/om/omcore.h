// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/string.h>
#include <om/core/version.h>
#include <om/core/wide_text.h>
#include <om/photo/camera.h>
#include <om/photo/camera_list.h>
#include <om/photo/inv_adjust_table.h>
#include <om/platform/beep.h>
#include <om/platform/crc32.h>
#include <om/platform/md5.h>
#include <om/platform/number_text.h>
#include <om/platform/progress_bar_router.h>
#include <om/platform/system_environment.h>
#include <om/platform/valid_pointer.h>
#include <om/sys/beep.h>
#include <om/sys/clock.h>
#include <om/sys/debug_output.h>
#include <om/sys/directory.h>
#include <om/sys/file_attributes.h>
#include <om/sys/messages.h>
#include <om/sys/text.h>
#include <om/sys/write_probe.h>
