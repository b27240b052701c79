// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>
#include <om/numerics/mmatrix.h>
#include <om/numerics/mvector.h>
#include <om/numerics/matrix.h>
#include <om/numerics/plane_axes.h>
#include <om/numerics/round_value.h>
#include <om/numerics/vector.h>
