#include <om/numerics/matrix.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

namespace om {

OmMatrix::OmMatrix(int rows, int cols) {
    Resize(rows, cols);
}

OmMatrix::OmMatrix(const double* values, int rows, int cols) {
    Set(values, rows, cols);
}

OmMatrix::OmMatrix(const OmMatrix& other) {
    Resize(other.m_rows, other.m_cols);
    std::copy_n(other.m_data, m_rows * m_cols, m_data);
}

OmMatrix::OmMatrix(OmMatrix&& other) noexcept {
    Adopt(std::move(other));
}

OmMatrix::~OmMatrix() {
    if (!IsInline()) delete[] m_storage;
}

OmMatrix& OmMatrix::operator=(const OmMatrix& other) {
    if (this != &other) {
        Resize(other.m_rows, other.m_cols);
        std::copy_n(other.m_data, m_rows * m_cols, m_data);
    }
    return *this;
}

OmMatrix& OmMatrix::operator=(OmMatrix&& other) noexcept {
    if (this != &other) {
        if (!IsInline()) delete[] m_storage;
        m_storage = m_inline;
        m_data = m_inline + 1;
        Adopt(std::move(other));
    }
    return *this;
}

// Takes over other's elements: a heap array is stolen, inline values are copied. other is left
// 0x0 and valid.
void OmMatrix::Adopt(OmMatrix&& other) noexcept {
    m_rows = other.m_rows;
    m_cols = other.m_cols;
    if (other.IsInline()) {
        m_storage = m_inline;
        m_data = m_inline + 1;
        std::copy_n(other.m_inline, kInlineSize + 1, m_inline);
    } else {
        m_storage = other.m_storage;
        m_data = other.m_data;
        other.m_storage = other.m_inline;
        other.m_data = other.m_inline + 1;
    }
    other.m_rows = 0;
    other.m_cols = 0;
}

void OmMatrix::Resize(int rows, int cols) {
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    const std::int64_t count = std::int64_t{rows} * cols;
    // Element indices are int; a larger matrix could not be addressed.
    if (count > std::numeric_limits<int>::max()) throw std::length_error("OmMatrix too large");
    if (count == std::int64_t{m_rows} * m_cols) {
        m_rows = rows;
        m_cols = cols;
        return;
    }
    double* storage = count <= kInlineSize ? m_inline : new double[count + 1];
    if (!IsInline()) delete[] m_storage;
    m_storage = storage;
    m_data = storage + 1;
    m_rows = rows;
    m_cols = cols;
    Clear();
}

void OmMatrix::Set(const double* values, int rows, int cols) {
    Resize(rows, cols);
    std::copy_n(values, m_rows * m_cols, m_data);
}

void OmMatrix::Clear() {
    std::fill_n(m_data, m_rows * m_cols, 0.0);
}

void OmMatrix::SetIdent() {
    Clear();
    const int n = std::min(m_rows, m_cols);
    for (int i = 0; i < n; ++i) m_data[i * m_cols + i] = 1.0;
}

bool OmMatrix::IsIdent() const {
    for (int i = 0; i < m_rows; ++i) {
        for (int j = 0; j < m_cols; ++j) {
            if (m_data[i * m_cols + j] != (i == j ? 1.0 : 0.0)) return false;
        }
    }
    return true;
}

void OmMatrix::SetLine(int i, const OmVector& v) {
    const int n = std::min(v.GetSize(), m_cols);
    std::copy_n(v.m_data, n, m_data + (i - 1) * m_cols);
}

void OmMatrix::GetLine(int i, OmVector& v) const {
    const int n = std::min(v.GetSize(), m_cols);
    std::copy_n(m_data + (i - 1) * m_cols, n, v.m_data);
}

void OmMatrix::SetRow(int j, const OmVector& v) {
    const int n = std::min(v.GetSize(), m_rows);
    for (int i = 0; i < n; ++i) m_data[i * m_cols + (j - 1)] = v.m_data[i];
}

void OmMatrix::GetRow(int j, OmVector& v) const {
    const int n = std::min(v.GetSize(), m_rows);
    for (int i = 0; i < n; ++i) v.m_data[i] = m_data[i * m_cols + (j - 1)];
}

void OmMatrix::SwapLines(int i, int k) {
    if (i == k) return;
    std::swap_ranges(m_data + (i - 1) * m_cols, m_data + i * m_cols, m_data + (k - 1) * m_cols);
}

void OmMatrix::MultLine(int i, int first, double factor, int last) {
    if (last == -1) last = m_cols;
    double* row = (*this)[i];
    for (int j = first; j <= last; ++j) row[j] *= factor;
}

void OmMatrix::AddLines(int target, int source, int first, double factor, int last) {
    if (last == -1) last = m_cols;
    double* t = (*this)[target];
    const double* s = (*this)[source];
    for (int j = first; j <= last; ++j) t[j] += factor * s[j];
}

OmVector OmMatrix::operator*(const OmVector& v) const {
    OmVector r(m_rows);
    const int n = std::min(m_cols, v.GetSize());
    for (int i = 0; i < m_rows; ++i) {
        const double* row = m_data + i * m_cols;
        double sum = 0.0;
        for (int j = 0; j < n; ++j) sum += row[j] * v.m_data[j];
        r.m_data[i] = sum;
    }
    return r;
}

OmMatrix OmMatrix::operator*(const OmMatrix& other) const {
    OmMatrix r(m_rows, other.m_cols);
    const int inner = std::min(m_cols, other.m_rows);
    for (int i = 0; i < m_rows; ++i) {
        double* out = r.m_data + i * r.m_cols;
        for (int k = 0; k < inner; ++k) {
            const double a = m_data[i * m_cols + k];
            const double* b = other.m_data + k * other.m_cols;
            for (int j = 0; j < other.m_cols; ++j) out[j] += a * b[j];
        }
    }
    return r;
}

OmMatrix OmMatrix::operator*(double f) const {
    OmMatrix r(*this);
    r *= f;
    return r;
}

OmMatrix& OmMatrix::operator*=(const OmMatrix& other) {
    return *this = *this * other;
}

OmMatrix& OmMatrix::operator*=(double f) {
    for (int i = 0; i < m_rows * m_cols; ++i) m_data[i] *= f;
    return *this;
}

OmMatrix OmMatrix::operator/(double f) const {
    OmMatrix r(*this);
    r /= f;
    return r;
}

OmMatrix& OmMatrix::operator/=(double f) {
    for (int i = 0; i < m_rows * m_cols; ++i) m_data[i] /= f;
    return *this;
}

// Element-wise over the size of *this; elements missing in other count as 0.
template <typename Op>
static void CombineInto(double* data, int rows, int cols, const OmMatrix& other, Op op) {
    const int r = std::min(rows, other.GetZeilen());
    const int c = std::min(cols, other.GetSpalten());
    for (int i = 0; i < r; ++i) {
        for (int j = 0; j < c; ++j) op(data[i * cols + j], other.GetElemZeroIndex(i, j));
    }
}

OmMatrix OmMatrix::operator+(const OmMatrix& other) const {
    OmMatrix r(*this);
    r += other;
    return r;
}

OmMatrix& OmMatrix::operator+=(const OmMatrix& other) {
    CombineInto(m_data, m_rows, m_cols, other, [](double& a, double b) { a += b; });
    return *this;
}

OmMatrix OmMatrix::operator-(const OmMatrix& other) const {
    OmMatrix r(*this);
    r -= other;
    return r;
}

OmMatrix& OmMatrix::operator-=(const OmMatrix& other) {
    CombineInto(m_data, m_rows, m_cols, other, [](double& a, double b) { a -= b; });
    return *this;
}

OmMatrix OmMatrix::Transpose() const {
    OmMatrix r(m_cols, m_rows);
    for (int i = 0; i < m_rows; ++i) {
        for (int j = 0; j < m_cols; ++j) r.m_data[j * m_rows + i] = m_data[i * m_cols + j];
    }
    return r;
}

void OmMatrix::CalcNGLAN(const OmVector& a) {
    const int n = std::min({a.GetSize(), m_rows, m_cols});
    for (int i = 0; i < n; ++i) {
        double* row = m_data + i * m_cols;
        const double ai = a.m_data[i];
        for (int j = 0; j < n; ++j) row[j] += ai * a.m_data[j];
    }
}

}  // namespace om
