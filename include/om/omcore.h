// Umbrella header: includes every public header of omcore.
#pragma once

#include <om/core/version.h>
#include <om/numerics/vector2d.h>
#include <om/numerics/point2d.h>
#include <om/numerics/line2d.h>
#include <om/numerics/face2d.h>
#include <om/numerics/bounding_box2d.h>
#include <om/numerics/int_bounding_box2d.h>
#include <om/numerics/matrix2d.h>
#include <om/numerics/planar_functions.h>
#include <om/numerics/vector3d.h>
#include <om/numerics/point3d.h>
#include <om/numerics/frame3d.h>
#include <om/numerics/line3d.h>
#include <om/numerics/plane3d.h>
#include <om/numerics/affin_map3d.h>
#include <om/numerics/triangle3d.h>
#include <om/numerics/triangle3d_uvn.h>
#include <om/numerics/bounding_box3d.h>
#include <om/numerics/aligned_bounding_box3d.h>
#include <om/numerics/center_point3d.h>
