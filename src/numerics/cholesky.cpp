// Least squares through the Cholesky factor of an augmented normal-equation matrix.
#include <om/numerics/matrix.h>

#include <cmath>
#include <limits>

namespace om {

double OmMatrix::Cholesky(OmVector& x) {
    return Cholesky(x, nullptr);
}

// With n unknowns the matrix is (n+1) x (2n+1):
//   [ N    b    I ]   rows 1..n
//   [ b^T  l^Tl   ]   row n+1
// Row-wise factorisation N = R^T R turns rows 1..n into [ R | c | R^-T ] with c = R^-T b, so
//   x   = N^-1 b = R^-1 c, i.e. x_i = sum_k c_k (R^-T)_ki,
//   q   = c^T c = b^T N^-1 b,
//   vv  = l^T l - q, the sum of squared residuals of the adjustment.
double OmMatrix::Cholesky(OmVector& x, int* status) {
    if (status) *status = 1;
    const int n = (m_cols - 1) / 2;
    if (n < 1 || m_rows < n + 1) return 0.0;
    OmMatrix& m = *this;
    const int last = 2 * n + 1;
    for (int i = 1; i <= n; ++i) {
        double d = m[i][i];
        for (int k = 1; k < i; ++k) d -= m[k][i] * m[k][i];
        // A zero pivot (for instance repeated control points) or a NaN would be divided by below;
        // both mean the normal matrix is not positive definite.
        if (!(d > 0.0) || !std::isfinite(d)) return 0.0;
        m[i][i] = std::sqrt(d);
        for (int j = i + 1; j <= last; ++j) {
            double s = m[i][j];
            for (int k = 1; k < i; ++k) s -= m[k][j] * m[k][i];
            m[i][j] = s / m[i][i];
        }
    }

    OmVector solution(n);
    double q = 0.0;
    for (int k = 1; k <= n; ++k) {
        const double c = m[k][n + 1];
        q += c * c;
        for (int i = 1; i <= n; ++i) solution[i] += c * m[k][n + 1 + i];
    }
    for (int i = 1; i <= n; ++i) {
        if (!std::isfinite(solution[i])) return 0.0;
    }
    x = solution;
    if (status) *status = 0;

    // vv is the difference of two sums of squares and carries their rounding error, a few ulps of
    // l^T l. Anything at that level is no residual at all: an exactly determined system (or exact
    // data) reports 0.0 instead of rounding noise.
    const double ltl = m[n + 1][n + 1];
    const double vv = ltl - q;
    constexpr double kRoundingLevel = 64.0 * std::numeric_limits<double>::epsilon();
    if (!(vv > kRoundingLevel * std::fabs(ltl))) return 0.0;
    m[n + 1][n + 1] = q / vv;
    return vv;
}

}  // namespace om
