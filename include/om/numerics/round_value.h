// Rounding to multiples of a step.
#pragma once

namespace om {

// Rounds v to a multiple of step:
//   mode 0:  to the nearest multiple, halves away from zero;
//   mode >0: to the next multiple strictly beyond |v|, away from zero (an exact multiple moves one
//            step further out);
//   mode <0: to the multiple at or below v (towards minus infinity).
// A step of 0 returns v unchanged.
double RoundValue(double v, double step, int mode);

}  // namespace om
