#include <om/points/id_table.h>

#include <om/textio/writer.h>

#include <algorithm>
#include <ostream>
#include <utility>

namespace om {

bool OmIdPair::Sort() {
    if (second_ >= first_) return false;
    std::swap(first_, second_);
    return true;
}

template <class T>
void ValArray2DBase<T>::Resize(int nx, int ny) {
    if (nx < 0 || ny < 0) nx = ny = 0;
    std::size_t const n = static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny);
    // Allocated without initialisation; the zero fill of a large table runs in parallel.
    auto data = std::make_unique_for_overwrite<T[]>(n);
    auto const count = static_cast<std::int64_t>(n);
    T* values = data.get();
#pragma omp parallel for if (count > 65536)
    for (std::int64_t i = 0; i < count; ++i) values[i] = T();
    data_ = std::move(data);
    count_ = n;
    nx_ = nx;
    ny_ = ny;
}

template <class T>
ValArray2DBase<T>& ValArray2DBase<T>::operator=(ValArray2DBase const& other) {
    if (this == &other) return *this;
    auto data = std::make_unique_for_overwrite<T[]>(other.count_);
    std::copy(other.data_.get(), other.data_.get() + other.count_, data.get());
    data_ = std::move(data);
    count_ = other.count_;
    nx_ = other.nx_;
    ny_ = other.ny_;
    return *this;
}

template class ValArray2DBase<unsigned int>;

OmIdTable2D::OmIdTable2D(int nx, int ny) : table_(nx, ny) {}

std::ostream& OmIdTable::Write(std::ostream& out) const {
    for (int i = 0; i < Size(); ++i) {
        out << s10 << (*this)[i] << ' ';
        if ((i + 1) % 10 == 0) out << Omendl;
    }
    return out << Omendl;
}

void OmIdPairTable::SortIdPairs() {
    for (int i = 0; i < Size(); ++i) (*this)[i].Sort();
}

std::ostream& OmIdPairTable::Write(std::ostream& out) const {
    for (int i = 0; i < Size(); ++i) {
        OmIdPair const& p = (*this)[i];
        out << s10 << p.GetFirst() << ' ' << s10 << p.GetSecond() << "  ";
        if ((i + 1) % 5 == 0) out << Omendl;
    }
    return out << Omendl;
}

std::ostream& OmIdTable2D::Write(std::ostream& out) const {
    out << ' ' << GetNx() << ' ' << GetNy();
    for (int y = 0; y < GetNy(); ++y) {
        out << Omendl;
        for (int x = 0; x < GetNx(); ++x) out << ' ' << GetId(x, y);
    }
    return out;
}

}  // namespace om
