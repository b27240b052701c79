// Identifier tables: id pairs, lists of ids and pairs, and two-dimensional id grids.
#pragma once

#include <om/core/array.h>
#include <om/core/link.h>

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>

namespace om {

class OmReaderObject;

// Two ids, ordered by first, then by second.
class OmIdPair {
  public:
    OmIdPair() = default;
    OmIdPair(unsigned int first, unsigned int second) : first_(first), second_(second) {}
    OmIdPair(OmIdPair const&) = default;
    OmIdPair& operator=(OmIdPair const&) = default;
    virtual ~OmIdPair() = default;

    void Clear() { first_ = second_ = 0; }
    bool operator<(OmIdPair const& o) const {
        return first_ < o.first_ || (first_ == o.first_ && second_ < o.second_);
    }
    bool operator<=(OmIdPair const& o) const { return !(o < *this); }
    bool operator==(OmIdPair const& o) const { return first_ == o.first_ && second_ == o.second_; }
    // Either id equals id.
    bool HasId(unsigned int id) const { return first_ == id || second_ == id; }
    // second when id equals first, otherwise first.
    unsigned int OtherId(unsigned int id) const { return id == first_ ? second_ : first_; }
    // Puts the smaller id first; true when it swapped.
    bool Sort();

    unsigned int GetFirst() const { return first_; }
    unsigned int GetSecond() const { return second_; }
    void Set(unsigned int first, unsigned int second) { first_ = first, second_ = second; }

  private:
    unsigned int first_ = 0;
    unsigned int second_ = 0;
};

// A list of ids. In project files: the ids as integers, up to the block's "}".
class OmIdTable : public TOmArray<unsigned int>, public LinkHdl {
  public:
    OmIdTable() = default;
    OmIdTable(OmIdTable const&) = default;
    OmIdTable& operator=(OmIdTable const&) = default;

    // Appends integer tokens up to the block's "}"; returns 1. Other errors are raised to the
    // caller's reader.
    int Read(OmReaderObject* reader);
    // Each id left-aligned in 10 characters and a blank, a line end after every tenth id and
    // once at the end.
    std::ostream& Write(std::ostream& out) const;
};

// A list of id pairs. In project files: pairs of integers, up to the block's "}".
class OmIdPairTable : public TOmArray<OmIdPair>, public LinkHdl {
  public:
    OmIdPairTable() = default;
    OmIdPairTable(OmIdPairTable const&) = default;
    OmIdPairTable& operator=(OmIdPairTable const&) = default;

    // Sort() on every pair.
    void SortIdPairs();
    int Read(OmReaderObject* reader);
    // Each pair as first and second, left-aligned in 10 characters with a blank after first and
    // two after second; a line end after every fifth pair and once at the end.
    std::ostream& Write(std::ostream& out) const;
};

// A two-dimensional array of values, nx columns by ny rows, stored row by row (x fastest).
template <class T>
class ValArray2DBase {
  public:
    ValArray2DBase() = default;
    ValArray2DBase(int nx, int ny) { Resize(nx, ny); }
    ValArray2DBase(ValArray2DBase const& other) { *this = other; }
    ValArray2DBase& operator=(ValArray2DBase const& other);
    virtual ~ValArray2DBase() = default;

    // nx * ny zeros. Negative sizes give an empty array.
    void Resize(int nx, int ny);
    int GetNx() const { return nx_; }
    int GetNy() const { return ny_; }
    std::size_t Count() const { return count_; }
    T* Data() { return data_.get(); }
    T const* Data() const { return data_.get(); }

  protected:
    std::unique_ptr<T[]> data_;
    std::size_t count_ = 0;
    int nx_ = 0;
    int ny_ = 0;
};

// ValArray2DBase addressed by column x and row y.
template <class T>
class ValArray2DXY : public ValArray2DBase<T> {
  public:
    using ValArray2DBase<T>::ValArray2DBase;

    bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < this->nx_ && y < this->ny_; }
    // The value at (x, y); T() outside the array.
    T Get(int x, int y) const { return IsInside(x, y) ? this->data_[Index(x, y)] : T(); }
    // Sets the value at (x, y); false outside the array.
    bool Set(int x, int y, T const& v) {
        if (!IsInside(x, y)) return false;
        this->data_[Index(x, y)] = v;
        return true;
    }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(this->nx_) +
               static_cast<std::size_t>(x);
    }
};

// Maps a pair of indices (column, row) to an id.
//
// In project files: nx and ny, then the nx * ny ids row by row. A count that is negative or
// whose product exceeds kMaxValues is refused with status 5 (the reader records it) and the
// table keeps its contents; so does a table whose values end early.
class OmIdTable2D {
  public:
    static constexpr std::int64_t kMaxValues = std::int64_t{1} << 24;

    OmIdTable2D() = default;
    // nx * ny ids, all 0.
    OmIdTable2D(int nx, int ny);
    OmIdTable2D(OmIdTable2D const&) = default;
    OmIdTable2D& operator=(OmIdTable2D const&) = default;
    virtual ~OmIdTable2D() = default;

    int Read(OmReaderObject* reader);
    // nx and ny, then one line per row; no line end after the last row.
    std::ostream& Write(std::ostream& out) const;

    int GetNx() const { return table_.GetNx(); }
    int GetNy() const { return table_.GetNy(); }
    unsigned int GetId(int x, int y) const { return table_.Get(x, y); }
    bool SetId(int x, int y, unsigned int id) { return table_.Set(x, y, id); }
    ValArray2DXY<unsigned int>& GetTable() { return table_; }
    ValArray2DXY<unsigned int> const& GetTable() const { return table_; }

  private:
    ValArray2DXY<unsigned int> table_;
};

}  // namespace om
