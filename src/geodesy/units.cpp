#include <om/geodesy/units.h>

#include <numbers>

namespace om {

double GetUnitFactor(eOmUnit unit) {
    switch (unit) {
        case OmUnitMillimetre:
            return 0.001;
        case OmUnitCentimetre:
            return 0.01;
        case OmUnitMicrometre:
            return 1e-6;
        case OmUnitFoot:
            return 0.3048;
        case OmUnitInch:
            return 0.0254;
        default:
            return 1.0;
    }
}

void ConvertUnit(double* value, eOmUnit from, eOmUnit to) {
    if (value == nullptr) return;
    *value = *value * GetUnitFactor(from) / GetUnitFactor(to);
}

double ConvertAngle(const double& value, eOmAngleUnit from, eOmAngleUnit to) {
    using std::numbers::pi;
    double rad = value;
    if (from == OmAngleUnitDegree) rad = value * pi / 180.0;
    if (from == OmAngleUnitGon) rad = value * pi / 200.0;
    if (to == OmAngleUnitDegree) return rad * 180.0 / pi;
    if (to == OmAngleUnitGon) return rad * 200.0 / pi;
    return rad;
}

}  // namespace om
