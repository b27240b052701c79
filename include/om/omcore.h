// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>

#include <om/core/array.h>
#include <om/core/attribute.h>
#include <om/core/base_list_header.h>
#include <om/core/filter.h>
#include <om/core/flag.h>
#include <om/core/link.h>
#include <om/core/list_header.h>
#include <om/core/listnode.h>
#include <om/core/notify.h>
#include <om/core/object.h>
