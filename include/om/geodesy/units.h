// Length and angle units and the conversions between them.
#pragma once

namespace om {

// Length units. Every value not listed counts as metre.
enum eOmUnit : int {
    OmUnitMillimetre = 1,
    OmUnitCentimetre = 2,
    OmUnitMetre = 3,
    OmUnitMicrometre = 4,
    OmUnitFoot = 5,
    OmUnitInch = 6,
};

// Angle units. Every value not listed (1 among them) counts as radian.
enum eOmAngleUnit : int {
    OmAngleUnitRadian = 1,
    OmAngleUnitDegree = 2,
    OmAngleUnitGon = 3,
};

// Metres per unit.
double GetUnitFactor(eOmUnit unit);

// value = value * GetUnitFactor(from) / GetUnitFactor(to).
void ConvertUnit(double* value, eOmUnit from, eOmUnit to);

// The value converted through radians from one angle unit to the other; the argument is not
// changed.
double ConvertAngle(const double& value, eOmAngleUnit from, eOmAngleUnit to);

}  // namespace om
