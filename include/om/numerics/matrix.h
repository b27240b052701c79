// Dynamically sized, 1-based, row-major matrix of doubles with inline storage for small sizes.
#pragma once

#include <iosfwd>

#include <om/log/dbgprintf.h>
#include <om/numerics/vector.h>

namespace om {

class OmPoint;
class OmReaderObject;
class OmVector3d;

// A rows x cols matrix indexed from 1. A "Line" is a row (German Zeile) and a "Row" is a column:
// SetLine writes a row, SetRow a column. Up to kInlineSize elements live inside the object, so the
// 3x3 rotations and 4x4 homogeneous matrices of per-point loops never touch the heap.
//
// Element-wise operations run over the size of *this; where the other operand is smaller its
// missing elements count as 0. Row and column copies move as many elements as both sides have.
class OmMatrix {
  public:
    static constexpr int kInlineSize = 16;
    // Largest element count Read accepts; a larger (or negative) size in a file is an error.
    static constexpr int kMaxReadSize = 1 << 20;

    OmMatrix(int rows, int cols);                        // all zeros; negative sizes count as 0
    OmMatrix(const double* values, int rows, int cols);  // copy of rows*cols row-major values
    OmMatrix(const OmMatrix& other);
    OmMatrix(OmMatrix&& other) noexcept;
    virtual ~OmMatrix();

    // Assignment takes the dimensions of the source.
    OmMatrix& operator=(const OmMatrix& other);
    OmMatrix& operator=(OmMatrix&& other) noexcept;

    // Takes the dimensions rows x cols and a copy of rows*cols row-major values.
    void Set(const double* values, int rows, int cols);

    int GetZeilen() const { return m_rows; }   // number of rows
    int GetSpalten() const { return m_cols; }  // number of columns

    // 1-based access, unchecked like a raw array.
    double GetElem(int i, int j) const { return m_data[(i - 1) * m_cols + (j - 1)]; }
    double SetElem(int i, int j, double v) { return m_data[(i - 1) * m_cols + (j - 1)] = v; }
    double GetElemZeroIndex(int i, int j) const { return m_data[i * m_cols + j]; }
    // m[i][j] is row i, column j, both 1-based. The storage keeps one spare slot in front of the
    // first element so that the row pointer of row 1 stays inside the allocation.
    double* operator[](int i) { return m_data + (i - 1) * m_cols - 1; }
    const double* operator[](int i) const { return m_data + (i - 1) * m_cols - 1; }

    void Clear();
    void SetIdent();  // zeros, then 1 on the diagonal
    bool IsIdent() const;

    void SetLine(int i, const OmVector& v);  // row i from v
    void GetLine(int i, OmVector& v) const;  // row i into v (v keeps its size)
    void SetRow(int j, const OmVector& v);   // column j from v
    void GetRow(int j, OmVector& v) const;   // column j into v (v keeps its size)

    void SwapLines(int i, int k);
    // Multiplies row i over columns first..last (last -1: the last column) by factor.
    void MultLine(int i, int first, double factor, int last = -1);
    // Row target += factor * row source over columns first..last (last -1: the last column).
    void AddLines(int target, int source, int first, double factor, int last = -1);

    OmVector operator*(const OmVector& v) const;  // rows elements
    OmMatrix operator*(const OmMatrix& other) const;
    OmMatrix operator*(double f) const;
    OmMatrix& operator*=(const OmMatrix& other);
    OmMatrix& operator*=(double f);
    OmMatrix operator/(double f) const;
    OmMatrix& operator/=(double f);
    OmMatrix operator+(const OmMatrix& other) const;
    OmMatrix& operator+=(const OmMatrix& other);
    OmMatrix operator-(const OmMatrix& other) const;
    OmMatrix& operator-=(const OmMatrix& other);
    OmMatrix Transpose() const;

    // Determinant of the leading 3x3 block by the rule of Sarrus; 0 for a smaller matrix.
    double Sarrus() const;
    // Determinant of a square matrix (see Det(const OmMatrix&)).
    double Det() const;
    // Solves the 3x3 system m x = b by Cramer's rule. A zero determinant gives non-finite
    // components; callers that can meet a singular system test Sarrus() first.
    OmVector Cramer(const OmVector& b) const;
    // Inverts a square matrix in place. status (when not null) receives 0, or 1 for a singular or
    // non-square matrix; after status 1 the contents are not an inverse.
    OmMatrix& Invert(int* status = nullptr);
    int GaussLoeserRelMax(OmMatrix& b);  // solves *this x = b; *this is destroyed
    int DreieckLoeserOben(OmMatrix& b);  // back substitution with the upper triangle of *this

    // Least squares on an augmented normal-equation matrix of n = (cols - 1) / 2 unknowns:
    //   rows 1..n:  N (cols 1..n) | b = A^T l (col n+1) | identity (cols n+2..2n+1)
    //   row n+1:    b^T (cols 1..n) | l^T l (col n+1)
    // x receives N^-1 b (and is resized to n). Returns the sum of squared residuals; 0.0 when N is
    // not positive definite or there is no redundancy (residuals at the rounding level of l^T l
    // count as none). On success m[n+1][n+1] becomes q / vv, q = b^T N^-1 b. The second form
    // tells the two kinds of 0.0 apart:
    // status 0 means the factorisation succeeded and x is valid (possibly with 0.0 residuals, as
    // for an exactly determined system); status 1 means a pivot was not positive or not finite,
    // and x is left unchanged.
    double Cholesky(OmVector& x);
    double Cholesky(OmVector& x, int* status);
    // Adds a a^T to the leading n x n block, n = size of a: accumulates one observation
    // (a_1..a_u, l) of the normal equations.
    void CalcNGLAN(const OmVector& a);

    // Elementary rotations; each makes the matrix (at least) 3x3 and the identity first.
    OmMatrix& RotXAxis(double a);  // (1,0,0), (0,c,-s), (0,s,c)
    OmMatrix& RotYAxis(double a);  // (c,0,s), (0,1,0), (-s,0,c)
    OmMatrix& RotZAxis(double a);  // (c,-s,0), (s,c,0), (0,0,1)
    // Leading 3x3 block = Ry(a1) Rx(a2) Rz(a3).
    OmMatrix& MakeRotMatrix(double a1, double a2, double a3);
    // Orthonormal frame from three points: columns u = (p1-p0), v = (p2-p0) made orthogonal to u,
    // and w = u x v. ok is false (and the matrix unchanged) when the points are degenerate.
    OmMatrix& MakeRotMatrix(OmVector& p0, OmVector& p1, OmVector& p2, bool* ok);
    // Inverse of MakeRotMatrix(a1, a2, a3), in the order (a2, a1, a3).
    void GetRotAngles(double* a2, double* a1, double* a3) const;

    // Both rotations applied to (0, 0, 1): true when the images point roughly the same way.
    bool IsLookingInSameDirection(const OmMatrix& other) const;
    // Angle between the images of (0, 0, 1) under both rotations.
    double CalcAngle(const OmMatrix& other) const;

    // Homogeneous transformation with a 3x3 (PTrans2D) or 4x4 (PTrans3D) matrix. Returns false and
    // leaves the coordinates when |w| < 1e-10 (or the matrix is too small).
    bool PTrans2D(double* x, double* y) const;
    bool PTrans3D(double* x, double* y, double* z) const;
    bool PTrans2D(OmPoint* p) const;
    bool PTrans2D(OmVector3d* v) const;
    bool PTrans3D(OmPoint* p) const;

    // Reads rows and cols, then rows*cols numbers row by row. Sizes that are negative or above
    // kMaxReadSize elements raise the reader's "not specified token" status and keep the old
    // contents; so does a read that ends early. Returns 1.
    int Read(OmReaderObject* reader);
    // Writes what Read reads back: rows, cols, then the values row by row at full precision.
    void Write(std::ostream& os) const;
    void DbgPrintf() const;  // one debug line per row
    // First a debug line formatted from fmt, then the rows.
    void DbgPrintf(const char* fmt, ...) const OMCORE_PRINTF_FORMAT(2, 3);

  private:
    // Gives the matrix rows x cols elements; zeros when the element count changes.
    void Resize(int rows, int cols);
    void Adopt(OmMatrix&& other) noexcept;
    bool IsInline() const { return m_storage == m_inline; }

    int m_rows = 0;
    int m_cols = 0;
    double* m_storage = m_inline;  // spare slot, then the elements
    double* m_data = m_inline + 1;
    double m_inline[kInlineSize + 1] = {};
};

// Solves a x = b for every column of b by Gauss elimination with scaled partial pivoting. b
// receives the solution, a is destroyed. Returns 0, or 1 when the system is singular (a pivot row
// or ratio below 1e-10), the sizes do not fit, or the solution is not finite.
int GaussLoeserRelMax(OmMatrix& a, OmMatrix& b);
// Back substitution with the upper triangle of a for every column of b. Returns 0, or 1 without
// touching b when a diagonal element is exactly 0 or the sizes do not fit.
int DreieckLoeserOben(OmMatrix& a, OmMatrix& b);
// Determinant by scaled-pivot elimination: (-1)^swaps times the product of the pivots; exactly
// 0.0 when a pivot falls below 1e-10 or the matrix is not square.
double Det(const OmMatrix& a);

}  // namespace om
