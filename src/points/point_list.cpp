#include <om/points/point_list.h>

#include <om/points/sort_helper.h>
#include <om/sys/text.h>
#include <om/textio/writer.h>

#include "line_reader.h"

#include <cmath>
#include <limits>
#include <locale>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace om {
namespace {

// Output buffer over a C file that writes in large blocks. Omendl flushes after every line; a
// sync here only keeps the text, so a file of a million lines is not written a line at a time.
// Write errors are remembered and reported by Finish.
class BlockFileBuf : public std::streambuf {
  public:
    explicit BlockFileBuf(std::FILE* file) : file_(file) { setp(buf_, buf_ + sizeof buf_); }

    // Writes what is buffered; false when any write failed.
    bool Finish() {
        WriteOut();
        return !failed_;
    }

  protected:
    int_type overflow(int_type c) override {
        if (!WriteOut()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return failed_ ? -1 : 0; }

  private:
    bool WriteOut() {
        std::size_t const n = static_cast<std::size_t>(pptr() - pbase());
        if (n > 0 && std::fwrite(pbase(), 1, n, file_) != n) failed_ = true;
        setp(buf_, buf_ + sizeof buf_);
        return !failed_;
    }

    std::FILE* file_;
    char buf_[1 << 16];
    bool failed_ = false;
};

std::FILE* OpenUtf8(char const* file, char const* mode) {
    return file != nullptr ? std::fopen(file, mode) : nullptr;
}

std::FILE* OpenWide(wchar_t const* file, char const* mode) {
    if (file == nullptr) return nullptr;
    return std::fopen(sys::WideToUtf8(file).c_str(), mode);
}

}  // namespace

OmPointList::OmPointList(Mask const& mask) {
    SetMask(mask);
}

OmPointList::OmPointList(String const& file, Mask const& mask) {
    ReadFile(file.chars(), mask);
}

OmPointList::OmPointList(OmPointList const& other)
    : TOmListHeader<OmPoint>(other), Mask(other), LinkHdl() {}

OmPointList& OmPointList::operator=(OmPointList const& other) {
    if (this == &other) return *this;
    TOmListHeader<OmPoint>::operator=(other);
    SetMask(other);
    return *this;
}

OmPointList::~OmPointList() = default;

OmPointList::Mask& OmPointList::SetMask(Mask const& mask) {
    Mask::SetTable(mask);
    return *this;
}

int OmPointList::ReadFile(char const* file, Mask const& format) {
    std::FILE* f = OpenUtf8(file, "r");
    if (f == nullptr) return 0;
    int const n = ReadFile(f, format);
    std::fclose(f);
    return n;
}

int OmPointList::ReadFile(wchar_t const* file, Mask const& format) {
    std::FILE* f = OpenWide(file, "r");
    if (f == nullptr) return 0;
    int const n = ReadFile(f, format);
    std::fclose(f);
    return n;
}

int OmPointList::ReadFile(std::FILE* file, Mask const& format) {
    SetMask(format);
    if (file == nullptr) return 0;
    // Numbers are converted independently of the process locale (a point is always the decimal
    // separator), so the locale needs no switching here.
    Mask const mask(GetMask());
    points_detail::LineReader lines(file, kMaxLineLength);
    // Each line is read into a fresh point that the list takes over; a line that gives no point
    // leaves it to be cleared and used for the next line.
    OmPoint const blank;
    std::unique_ptr<OmPoint> point;
    while (char* line = lines.Next()) {
        if (point) {
            *point = blank;
        } else {
            point = std::make_unique<OmPoint>();
        }
        if (point->Read(line, mask) > 0 && point->GetId() != 0) Add(point.release());
    }
    return Count();
}

std::ostream& OmPointList::Write(std::ostream& out) const {
    for (OmPoint* p = First(); p != nullptr; p = p->Next()) {
        if (p != First()) out << Omendl;
        p->Write(out, GetMask());
    }
    return out;
}

namespace {

int WriteToFile(OmPointList const& list, std::FILE* f) {
    if (f == nullptr) return 0;
    bool ok = true;
    {
        BlockFileBuf buf(f);
        std::ostream out(&buf);
        out.imbue(std::locale::classic());
        list.Write(out);
        ok = buf.Finish() && !out.bad();
    }
    if (std::fclose(f) != 0) ok = false;
    return ok ? 1 : 0;
}

}  // namespace

int OmPointList::WriteFile(char const* file) {
    return WriteToFile(*this, OpenUtf8(file, "w"));
}

int OmPointList::WriteFile(wchar_t const* file) {
    return WriteToFile(*this, OpenWide(file, "w"));
}

int OmPointList::WriteFile(char const* file, Mask const& mask) {
    SetMask(mask);
    return WriteFile(file);
}

int OmPointList::WriteFile(wchar_t const* file, Mask const& mask) {
    SetMask(mask);
    return WriteFile(file);
}

namespace {
bool Matches(OmPoint const* p, unsigned int id, unsigned int photo) {
    return p->GetId() == id && (photo == 0 || p->photo == photo);
}
}  // namespace

OmPoint* OmPointList::Find(unsigned int id, unsigned int photo, OmPoint* start) const {
    if (start == nullptr) {
        for (OmPoint* p = First(); p != nullptr; p = p->Next())
            if (Matches(p, id, photo)) return p;
        return nullptr;
    }
    for (OmPoint* p = start; p != nullptr; p = p->Next())
        if (Matches(p, id, photo)) return p;
    for (OmPoint* p = start->Previous(); p != nullptr; p = p->Previous())
        if (Matches(p, id, photo)) return p;
    return nullptr;
}

OmPoint* OmPointList::Find(String const& name) const {
    for (OmPoint* p = First(); p != nullptr; p = p->Next())
        if (compare(p->GetName(), name) == 0) return p;
    return nullptr;
}

OmPoint* OmPointList::FindInSortedList(unsigned int id) const {
    for (OmPoint* p = First(); p != nullptr; p = p->Next()) {
        if (p->GetId() == id) return p;
        if (p->GetId() > id) return nullptr;
    }
    return nullptr;
}

OmPoint* OmPointList::FindNearest(OmPoint const& target, double* distance) const {
    OmPoint* best = nullptr;
    double best_sq = std::numeric_limits<double>::infinity();
    for (OmPoint* p = First(); p != nullptr; p = p->Next()) {
        double const d = p->DistanceSq(target);
        if (best == nullptr || d < best_sq) best = p, best_sq = d;
    }
    if (best != nullptr && distance != nullptr) *distance = std::sqrt(best_sq);
    return best;
}

bool OmPointList::HasControlPoints() const {
    for (OmPoint* p = First(); p != nullptr; p = p->Next())
        if (p->GetControlFlags() != 0) return true;
    return false;
}

void OmPointList::RemoveControlInformation() {
    for (OmPoint* p = First(); p != nullptr; p = p->Next()) p->SetControlFlags(0);
    NotifyChanged(nullptr, nullptr);
}

int FindCommonOmPointById(OmPointList const& a, OmPointList const& b, OmPointList* out) {
    OmSortHelper<OmPoint> const index(&b);
    // Collected first: out may be a or b itself.
    std::vector<OmPoint const*> common;
    for (OmPoint* p = a.First(); p != nullptr; p = p->Next())
        if (index.Find(p->GetId()) != nullptr) common.push_back(p);
    if (out != nullptr) {
        std::vector<OmPoint> copies;
        copies.reserve(common.size());
        for (OmPoint const* p : common) copies.push_back(*p);
        for (OmPoint const& p : copies) out->Add(p);
    }
    return static_cast<int>(common.size());
}

int MergeCooCoo2(OmPointList& target, OmPointList& source) {
    if (source.IsEmpty()) return 0;
    OmSortHelper<OmPoint> const index(&target);
    int n = 0;
    for (OmPoint* s = source.First(); s != nullptr; s = s->Next()) {
        OmPoint* t = index.Find(s->GetId());
        if (t == nullptr) continue;
        t->SetName(s->GetName());
        t->ClearFlag(~0);
        t->SetFlag(static_cast<int>(s->GetFlag()));
        t->dx = s->dx, t->dy = s->dy, t->dz = s->dz;
        t->r1 = s->r1, t->r2 = s->r2, t->r3 = s->r3;
        t->vx = s->vx, t->vy = s->vy, t->vz = s->vz;
        t->imageCount = s->imageCount;
        t->color = s->color;
        ++n;
    }
    return n;
}

}  // namespace om
