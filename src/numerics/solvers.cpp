// Gauss elimination with scaled partial pivoting, back substitution, determinant and inverse.
#include <om/numerics/matrix.h>

#include <cmath>

namespace om {
namespace {

constexpr double kPivotTolerance = 1e-10;

// Scaled pivot choice for column k among rows k..n: each candidate row's |a[i][k]| is divided by
// the sum of |a[i][j]| over j = k..n, and the largest ratio wins (the first row on ties). Scaling
// makes the choice independent of how the equations happen to be weighted. Returns 0 when a
// candidate row sum or the best ratio falls below the tolerance (the system is singular).
int SelectPivotRow(const OmMatrix& a, int k) {
    const int n = a.GetZeilen();
    int best_row = 0;
    double best_ratio = 0.0;
    for (int i = k; i <= n; ++i) {
        const double* row = a[i];
        double sum = 0.0;
        for (int j = k; j <= n; ++j) sum += std::fabs(row[j]);
        if (std::fabs(sum) < kPivotTolerance) return 0;
        const double ratio = std::fabs(row[k]) / sum;
        if (ratio > best_ratio) {
            best_ratio = ratio;
            best_row = i;
        }
    }
    // A NaN ratio never wins, so a matrix holding NaN ends here as singular.
    if (best_ratio < kPivotTolerance) return 0;
    return best_row;
}

bool AllFinite(const OmMatrix& m) {
    for (int i = 0; i < m.GetZeilen(); ++i) {
        for (int j = 0; j < m.GetSpalten(); ++j) {
            if (!std::isfinite(m.GetElemZeroIndex(i, j))) return false;
        }
    }
    return true;
}

}  // namespace

int GaussLoeserRelMax(OmMatrix& a, OmMatrix& b) {
    const int n = a.GetZeilen();
    if (a.GetSpalten() != n || b.GetZeilen() != n) return 1;
    for (int k = 1; k <= n; ++k) {
        const int pivot = SelectPivotRow(a, k);
        if (pivot == 0) return 1;
        if (pivot != k) {
            a.SwapLines(pivot, k);
            b.SwapLines(pivot, k);
        }
        for (int i = k + 1; i <= n; ++i) {
            const double f = -a[i][k] / a[k][k];
            a.AddLines(i, k, k, f);
            b.AddLines(i, k, 1, f);
            a[i][k] = -f;  // keeps the elimination factor where the zero would be
        }
    }
    if (n > 0 && std::fabs(a[n][n]) < kPivotTolerance) return 1;
    DreieckLoeserOben(a, b);
    // Overflow in a badly scaled system would otherwise be reported as a solution.
    return AllFinite(b) ? 0 : 1;
}

// x_i = (b_i - sum_{k>i} a_ik x_k) / a_ii for i = n..1, for every column of b.
int DreieckLoeserOben(OmMatrix& a, OmMatrix& b) {
    const int n = a.GetZeilen();
    if (a.GetSpalten() < n || b.GetZeilen() != n) return 1;
    for (int i = 1; i <= n; ++i) {
        if (a[i][i] == 0.0) return 1;
    }
    const int m = b.GetSpalten();
    for (int i = n; i >= 1; --i) {
        const double* ai = a[i];
        for (int j = 1; j <= m; ++j) {
            double sum = b[i][j];
            for (int k = i + 1; k <= n; ++k) sum -= ai[k] * b[k][j];
            b[i][j] = sum / ai[i];
        }
    }
    return 0;
}

// Elimination as in GaussLoeserRelMax on a copy; det = (-1)^swaps * product of the pivots.
double Det(const OmMatrix& m) {
    const int n = m.GetZeilen();
    if (n == 0 || m.GetSpalten() != n) return 0.0;
    OmMatrix a(m);
    double sign = 1.0;
    double product = 1.0;
    for (int k = 1; k < n; ++k) {
        const int pivot = SelectPivotRow(a, k);
        if (pivot == 0) return 0.0;
        if (pivot != k) {
            a.SwapLines(pivot, k);
            sign = -sign;
        }
        product *= a[k][k];
        for (int i = k + 1; i <= n; ++i) a.AddLines(i, k, k, -a[i][k] / a[k][k]);
    }
    if (std::fabs(a[n][n]) < kPivotTolerance) return 0.0;
    return sign * product * a[n][n];
}

double OmMatrix::Det() const {
    return om::Det(*this);
}

int OmMatrix::GaussLoeserRelMax(OmMatrix& b) {
    return om::GaussLoeserRelMax(*this, b);
}

int OmMatrix::DreieckLoeserOben(OmMatrix& b) {
    return om::DreieckLoeserOben(*this, b);
}

OmMatrix& OmMatrix::Invert(int* status) {
    int result = 1;
    if (m_rows == m_cols) {
        OmMatrix a(*this);
        SetIdent();
        result = om::GaussLoeserRelMax(a, *this);
    }
    if (status) *status = result;
    return *this;
}

// Rule of Sarrus on the leading 3x3 block:
//   a11 a22 a33 + a12 a23 a31 + a13 a21 a32 - a13 a22 a31 - a11 a23 a32 - a12 a21 a33
double OmMatrix::Sarrus() const {
    if (m_rows < 3 || m_cols < 3) return 0.0;
    const OmMatrix& m = *this;
    return m[1][1] * m[2][2] * m[3][3] + m[1][2] * m[2][3] * m[3][1] + m[1][3] * m[2][1] * m[3][2] -
           m[1][3] * m[2][2] * m[3][1] - m[1][1] * m[2][3] * m[3][2] - m[1][2] * m[2][1] * m[3][3];
}

// x_i = det(A with column i replaced by b) / det(A).
OmVector OmMatrix::Cramer(const OmVector& b) const {
    OmVector x(3);
    if (m_rows < 3 || m_cols < 3) return x;
    const double det = Sarrus();
    for (int i = 1; i <= 3; ++i) {
        OmMatrix replaced(*this);
        replaced.SetRow(i, b);
        x[i] = replaced.Sarrus() / det;
    }
    return x;
}

}  // namespace om
