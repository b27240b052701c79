#include <om/numerics/vector.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace om {

OmVector::OmVector(int n) {
    Resize(n);
}

OmVector::OmVector(double x, double y, double z) : m_size(3), m_inline{x, y, z, 0.0} {}

OmVector::OmVector(double x, double y, double z, double w) : m_size(4), m_inline{x, y, z, w} {}

OmVector::OmVector(const OmVector& other) {
    Resize(other.m_size);
    std::copy_n(other.m_data, m_size, m_data);
}

OmVector::OmVector(OmVector&& other) noexcept {
    Adopt(std::move(other));
}

OmVector::~OmVector() {
    if (!IsInline()) delete[] m_data;
}

OmVector& OmVector::operator=(const OmVector& other) {
    if (this != &other) {
        Resize(other.m_size);
        std::copy_n(other.m_data, m_size, m_data);
    }
    return *this;
}

OmVector& OmVector::operator=(OmVector&& other) noexcept {
    if (this != &other) {
        if (!IsInline()) delete[] m_data;
        m_data = m_inline;
        Adopt(std::move(other));
    }
    return *this;
}

// Takes over other's elements: a heap array is stolen, inline values are copied. other is left
// empty and valid.
void OmVector::Adopt(OmVector&& other) noexcept {
    m_size = other.m_size;
    if (other.IsInline()) {
        m_data = m_inline;
        std::copy_n(other.m_inline, kInlineSize, m_inline);
    } else {
        m_data = other.m_data;
        other.m_data = other.m_inline;
    }
    other.m_size = 0;
}

void OmVector::Resize(int n) {
    n = std::max(n, 0);
    if (n == m_size) return;
    double* data = n <= kInlineSize ? m_inline : new double[n];
    if (!IsInline()) delete[] m_data;
    m_data = data;
    m_size = n;
    Clear();
}

void OmVector::Clear() {
    std::fill_n(m_data, m_size, 0.0);
}

bool OmVector::operator==(const OmVector& other) const {
    return m_size == other.m_size && std::equal(m_data, m_data + m_size, other.m_data);
}

OmVector OmVector::operator+(const OmVector& other) const {
    OmVector r(*this);
    r += other;
    return r;
}

OmVector OmVector::operator-(const OmVector& other) const {
    OmVector r(*this);
    r -= other;
    return r;
}

OmVector& OmVector::operator+=(const OmVector& other) {
    const int n = std::min(m_size, other.m_size);
    for (int i = 0; i < n; ++i) m_data[i] += other.m_data[i];
    return *this;
}

OmVector& OmVector::operator-=(const OmVector& other) {
    const int n = std::min(m_size, other.m_size);
    for (int i = 0; i < n; ++i) m_data[i] -= other.m_data[i];
    return *this;
}

OmVector OmVector::operator*(double f) const {
    OmVector r(*this);
    r *= f;
    return r;
}

OmVector& OmVector::operator*=(double f) {
    for (int i = 0; i < m_size; ++i) m_data[i] *= f;
    return *this;
}

OmVector OmVector::operator/(double f) const {
    OmVector r(*this);
    r /= f;
    return r;
}

OmVector& OmVector::operator/=(double f) {
    for (int i = 0; i < m_size; ++i) m_data[i] /= f;
    return *this;
}

double OmVector::operator*(const OmVector& other) const {
    const int n = std::min(m_size, other.m_size);
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += m_data[i] * other.m_data[i];
    return sum;
}

OmVector OmVector::operator%(const OmVector& other) const {
    auto a = [this](int i) { return i <= m_size ? m_data[i - 1] : 0.0; };
    auto b = [&other](int i) { return i <= other.m_size ? other.m_data[i - 1] : 0.0; };
    return OmVector(a(2) * b(3) - a(3) * b(2), a(3) * b(1) - a(1) * b(3),
                    a(1) * b(2) - a(2) * b(1));
}

double OmVector::Abs() const {
    const double sum = *this * *this;
    if (!std::isinf(sum)) return std::sqrt(sum);
    // The squares overflowed although the elements may all be finite (beyond about 1e154):
    // scale by the largest magnitude first.
    double largest = 0.0;
    for (int i = 0; i < m_size; ++i) largest = std::max(largest, std::fabs(m_data[i]));
    if (std::isinf(largest)) return largest;
    double scaled = 0.0;
    for (int i = 0; i < m_size; ++i) scaled += (m_data[i] / largest) * (m_data[i] / largest);
    return largest * std::sqrt(scaled);
}

OmVector& OmVector::Normalize() {
    const double norm = Abs();
    if (norm > 0.0 && std::isfinite(norm)) *this /= norm;
    return *this;
}

bool OmVector::IsNormalized(double eps) const {
    const double norm = Abs();
    return 1.0 - eps <= norm && norm <= 1.0 + eps;
}

void OmVector::ChangeType(eOmVectorType t) {
    if (m_size == 3 && t == eOmVectorSpatialHomogeneous) {
        const double x = m_data[0], y = m_data[1], z = m_data[2];
        Resize(4);
        m_data[0] = x;
        m_data[1] = y;
        m_data[2] = z;
        m_data[3] = 1.0;
    } else if (m_size == 4 && t != eOmVectorSpatialHomogeneous) {
        // Both sizes are inline, so dropping the fourth element keeps the others in place.
        m_size = 3;
        if (t == eOmVectorPlanar) m_data[2] = 0.0;
        if (t == eOmVectorPlanarHomogeneous) m_data[2] = 1.0;
    }
}

}  // namespace om
