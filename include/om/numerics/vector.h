// Dynamically sized, 1-based vector of doubles with inline storage for small sizes.
#pragma once

#include <iosfwd>

namespace om {

class OmPoint;
class OmReaderObject;
class OmMatrix;

// How a point's coordinates become the elements of a vector (OmVector(point, type), ChangeType).
enum eOmVectorType : int {
    eOmVectorPlanar = 0,              // (X, Y, 0)
    eOmVectorPlanarHomogeneous = 1,   // (X, Y, 1)
    eOmVectorSpatial = 2,             // (X, Y, Z)
    eOmVectorSpatialHomogeneous = 3,  // (X, Y, Z, 0); a 3-vector changed to it gains a 1
};

// A vector of doubles indexed from 1. Up to kInlineSize elements are kept inside the object, so the
// 3- and 4-vectors of per-point loops never touch the heap.
//
// Element-wise operations run over the size of *this. Where the other operand is shorter its
// missing elements count as 0 instead of being read past its end.
class OmVector {
  public:
    static constexpr int kInlineSize = 4;
    // Largest element count Read accepts; a larger (or negative) count in a file is an error.
    static constexpr int kMaxReadSize = 1 << 20;

    explicit OmVector(int n);  // n zeros; a negative n gives an empty vector
    OmVector(double x, double y, double z);
    OmVector(double x, double y, double z, double w);
    // Elements from the point's X, Y, Z by type (see eOmVectorType). A type outside 0..3 gives
    // four elements with the fourth 0.
    OmVector(const OmPoint& p, eOmVectorType type);
    explicit OmVector(OmReaderObject* reader);  // empty, then Read
    OmVector(const OmVector& other);
    OmVector(OmVector&& other) noexcept;
    virtual ~OmVector();

    // Assignment takes the size of the source.
    OmVector& operator=(const OmVector& other);
    OmVector& operator=(OmVector&& other) noexcept;

    int GetSize() const { return m_size; }

    // 1-based element access, unchecked like a raw array.
    double operator[](int i) const { return m_data[i - 1]; }
    double& operator[](int i) { return m_data[i - 1]; }
    double GetElem(int i) const { return m_data[i - 1]; }
    void SetElem(int i, double v) { m_data[i - 1] = v; }

    void Clear();

    // Exact comparison: equal sizes and every element ==, so a NaN makes vectors unequal.
    bool operator==(const OmVector& other) const;
    bool operator!=(const OmVector& other) const { return !(*this == other); }

    OmVector operator+(const OmVector& other) const;
    OmVector operator-(const OmVector& other) const;
    OmVector& operator+=(const OmVector& other);
    OmVector& operator-=(const OmVector& other);
    OmVector operator*(double f) const;
    OmVector& operator*=(double f);
    OmVector operator/(double f) const;
    OmVector& operator/=(double f);

    // Dot product over the elements both vectors have.
    double operator*(const OmVector& other) const;
    // Cross product of the first three elements; always three elements.
    OmVector operator%(const OmVector& other) const;

    double Abs() const;  // Euclidean norm
    // Divides by the norm. A zero (or non-finite) norm leaves the vector unchanged rather than
    // filling it with NaN.
    OmVector& Normalize();
    bool IsNormalized(double eps) const;

    // 3 -> 4 elements for type 3 (appends 1.0); 4 -> 3 elements for types 0, 1, 2 (the third
    // element becomes 0, 1 or stays). Other combinations leave the vector unchanged.
    void ChangeType(eOmVectorType t);

    // Reads a count, then that many numbers. A negative count or one above kMaxReadSize raises the
    // reader's "not specified token" status and keeps the old contents; so does a read that ends
    // early. Returns 1.
    int Read(OmReaderObject* reader);
    // Writes what Read reads back: the count, then the values at full precision.
    void Write(std::ostream& os) const;
    // One debug line: the title, the elements and the norm in parentheses.
    void DbgPrintf(const char* title) const;

  private:
    friend class OmMatrix;

    // Gives the vector n elements; the values are zero when the size changes and kept otherwise.
    void Resize(int n);
    void Adopt(OmVector&& other) noexcept;
    bool IsInline() const { return m_data == m_inline; }

    int m_size = 0;
    double* m_data = m_inline;
    double m_inline[kInlineSize] = {0.0, 0.0, 0.0, 0.0};
};

}  // namespace om
