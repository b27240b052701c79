#include <om/core/string.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <functional>
#include <istream>
#include <new>
#include <ostream>
#include <stdexcept>

namespace om {
namespace {

// The shared representation of every empty string; never written, never freed.
struct NilBlock {
    StrRep rep{0, 0};
    char nul = '\0';
};
static_assert(offsetof(NilBlock, nul) == sizeof(StrRep));
constinit NilBlock nil_block;

StrRep* Nil() {
    return &nil_block.rep;
}

// Block sizing: the smallest power of two that is at least 16 and at least n + 10; the capacity
// is that size minus 10 (a string of 6 characters has capacity 6, one of 7 capacity 22). The
// header is larger than the ten bytes the rule reserves, so the block allocated is the header,
// the capacity and the terminator.
std::uint32_t CapacityFor(std::size_t n) {
    std::size_t const block = std::max<std::size_t>(16, std::bit_ceil(n + 10));
    return static_cast<std::uint32_t>(block - 10);
}

StrRep* NewRep(std::size_t n) {
    if (n > String::kMaxLength) throw std::length_error("om::String: length limit exceeded");
    std::uint32_t const sz = CapacityFor(n);
    void* mem = ::operator new(sizeof(StrRep) + sz + 1);
    auto* rep = new (mem) StrRep{0, sz};
    rep->s()[0] = '\0';
    return rep;
}

void FreeRep(StrRep* rep) {
    if (rep != Nil()) ::operator delete(rep);
}

StrRep* MakeRep(std::string_view t) {
    if (t.empty()) return Nil();
    StrRep* rep = NewRep(t.size());
    std::memcpy(rep->s(), t.data(), t.size());
    rep->s()[t.size()] = '\0';
    rep->len = static_cast<std::uint32_t>(t.size());
    return rep;
}

std::string_view View(char const* t) {
    return t ? std::string_view(t) : std::string_view();
}
std::string_view View(char const& c) {
    return std::string_view(&c, 1);
}

// Forward search from startpos >= 0, backward when startpos < 0 (the match tried first ends at
// position length + startpos).
int Search(std::string_view s, int startpos, std::string_view t) {
    std::size_t found = std::string_view::npos;
    if (startpos >= 0) {
        found = s.find(t, static_cast<std::size_t>(startpos));
    } else {
        long long const last_start =
            static_cast<long long>(s.size()) + startpos + 1 - static_cast<long long>(t.size());
        if (last_start < 0) return -1;
        found = s.rfind(t, static_cast<std::size_t>(last_start));
    }
    return found == std::string_view::npos ? -1 : static_cast<int>(found);
}

// t occurs starting exactly at pos (negative pos: ending at length + pos).
bool MatchAt(std::string_view s, int pos, std::string_view t) {
    long long start = pos;
    if (pos < 0)
        start = static_cast<long long>(s.size()) + pos + 1 - static_cast<long long>(t.size());
    if (start < 0 || start + static_cast<long long>(t.size()) > static_cast<long long>(s.size()))
        return false;
    return s.substr(static_cast<std::size_t>(start), t.size()) == t;
}

// The rest of s from pos equals t (negative pos: t is the end of s).
bool MatchRest(std::string_view s, int pos, std::string_view t) {
    if (pos < 0) return s.ends_with(t);
    if (static_cast<std::size_t>(pos) > s.size()) return false;
    return s.substr(static_cast<std::size_t>(pos)) == t;
}

int Freq(std::string_view s, std::string_view t) {
    if (t.empty()) return 0;
    int n = 0;
    for (std::size_t p = s.find(t); p != std::string_view::npos; p = s.find(t, p + 1)) ++n;
    return n;
}

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int Signed(char c) {
    return static_cast<signed char>(c);
}

int CompareViews(std::string_view x, std::string_view y) {
    std::size_t const n = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (x[i] != y[i]) return Signed(x[i]) - Signed(y[i]);
    }
    if (x.size() == y.size()) return 0;
    // The terminator of the shorter string meets the next character of the longer one.
    int const d = x.size() < y.size() ? -Signed(y[n]) : Signed(x[n]);
    if (d != 0) return d;
    return x.size() < y.size() ? -1 : 1;
}

std::strong_ordering Order(int c) {
    return c <=> 0;
}

// Accepts text with exactly one floating-point conversion: %[flags][width][.precision][l]conv.
bool IsNumberFormat(std::string_view f) {
    int conversions = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (f[i] != '%') continue;
        if (++i < f.size() && f[i] == '%') continue;
        while (i < f.size() && std::strchr("-+ #0", f[i]) && f[i] != '\0') ++i;
        for (int k = 0; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++k, ++i)
            if (k >= 3) return false;
        if (i < f.size() && f[i] == '.') {
            ++i;
            for (int k = 0; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++k, ++i)
                if (k >= 3) return false;
        }
        if (i < f.size() && f[i] == 'l') ++i;
        if (i >= f.size() || !std::strchr("fFeEgGaA", f[i]) || f[i] == '\0') return false;
        ++conversions;
    }
    return conversions == 1 && f.find('\0') == std::string_view::npos;
}

String& NumberFormat() {
    static String format("%6.3f");
    return format;
}

String& NilString() {
    static String nil;
    return nil;
}

}  // namespace

// ---- String: construction and assignment ----

String::String() : rep_(Nil()) {}
String::String(String const& x) : rep_(MakeRep(x.view())) {}
String::String(String&& x) noexcept : rep_(x.rep_) {
    x.rep_ = Nil();
}
String::String(SubString const& x) : rep_(MakeRep(x.view())) {}
String::String(char const* t) : rep_(MakeRep(View(t))) {}
String::String(char const* t, int len)
    : rep_(MakeRep(t && len > 0 ? std::string_view(t, static_cast<std::size_t>(len))
                                : std::string_view())) {}
String::String(char c) : rep_(MakeRep(View(c))) {}
String::String(std::string_view t) : rep_(MakeRep(t)) {}

String::String(int i) : rep_(Nil()) {
    char buf[16];
    int const n = std::snprintf(buf, sizeof buf, "%d", i);
    rep_ = MakeRep(std::string_view(buf, static_cast<std::size_t>(n)));
}

String::String(double d) : rep_(Nil()) {
    // The format is checked when it is set, so it holds exactly one double conversion.
    char const* fmt = NumberFormat().chars();
    char buf[64];
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int const n = std::snprintf(buf, sizeof buf, fmt, d);
    if (n >= static_cast<int>(sizeof buf)) {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        std::snprintf(big.data(), big.size(), fmt, d);
        rep_ = MakeRep(std::string_view(big.data(), static_cast<std::size_t>(n)));
        return;
    }
#pragma GCC diagnostic pop
    if (n > 0) rep_ = MakeRep(std::string_view(buf, static_cast<std::size_t>(n)));
}

String::~String() {
    FreeRep(rep_);
}

String& String::operator=(String const& x) {
    if (this != &x) Assign(x.view());
    return *this;
}

String& String::operator=(String&& x) noexcept {
    if (this != &x) {
        FreeRep(rep_);
        rep_ = x.rep_;
        x.rep_ = Nil();
    }
    return *this;
}

String& String::operator=(SubString const& x) {
    return Assign(x.view()), *this;
}
String& String::operator=(char const* t) {
    return Assign(View(t)), *this;
}
String& String::operator=(char c) {
    return Assign(View(c)), *this;
}

String& String::operator+=(String const& x) {
    return Append(x.view()), *this;
}
String& String::operator+=(SubString const& x) {
    return Append(x.view()), *this;
}
String& String::operator+=(char const* t) {
    return Append(View(t)), *this;
}
String& String::operator+=(char c) {
    return Append(View(c)), *this;
}

String& String::prepend(String const& x) {
    return Replace(0, 0, x.chars(), x.view().size()), *this;
}
String& String::prepend(SubString const& x) {
    return Replace(0, 0, x.chars(), x.view().size()), *this;
}
String& String::prepend(char const* t) {
    std::string_view const v = View(t);
    return Replace(0, 0, v.data(), v.size()), *this;
}
String& String::prepend(char c) {
    return Replace(0, 0, &c, 1), *this;
}

void String::Reserve(std::size_t n) {
    if (rep_ != Nil() && rep_->sz >= n) return;
    if (n == 0) return;
    StrRep* rep = NewRep(n);
    std::memcpy(rep->s(), rep_->s(), rep_->len + 1u);
    rep->len = rep_->len;
    FreeRep(rep_);
    rep_ = rep;
}

void String::Replace(std::size_t pos, std::size_t count, char const* t, std::size_t n) {
    std::size_t const len = rep_->len;
    // Characters that live in our own block may move below; work on a copy of them.
    std::less<char const*> const before;
    if (n > 0 && !before(t, rep_->s()) && before(t, rep_->s() + rep_->sz + 1)) {
        std::string const copy(t, n);
        Replace(pos, count, copy.data(), n);
        return;
    }
    std::size_t const tail = len - pos - count;
    std::size_t const newlen = len - count + n;
    if (newlen == 0 && rep_ == Nil()) return;
    if (newlen > kMaxLength) throw std::length_error("om::String: length limit exceeded");
    if (rep_ != Nil() && rep_->sz >= newlen) {
        char* s = rep_->s();
        std::memmove(s + pos + n, s + pos + count, tail + 1);
        if (n) std::memcpy(s + pos, t, n);
        rep_->len = static_cast<std::uint32_t>(newlen);
        return;
    }
    StrRep* rep = NewRep(newlen);
    char* d = rep->s();
    char const* s = rep_->s();
    std::memcpy(d, s, pos);
    if (n) std::memcpy(d + pos, t, n);
    std::memcpy(d + pos + n, s + pos + count, tail);
    d[newlen] = '\0';
    rep->len = static_cast<std::uint32_t>(newlen);
    FreeRep(rep_);
    rep_ = rep;
}

// ---- search and tests ----

int String::index(char c, int startpos) const {
    return Search(view(), startpos, View(c));
}
int String::index(char const* t, int startpos) const {
    return Search(view(), startpos, View(t));
}
int String::index(String const& y, int startpos) const {
    return Search(view(), startpos, y.view());
}
int String::index(SubString const& y, int startpos) const {
    return Search(view(), startpos, y.view());
}

bool String::contains(char c, int pos) const {
    return MatchAt(view(), pos, View(c));
}
bool String::contains(char const* t, int pos) const {
    return MatchAt(view(), pos, View(t));
}
bool String::contains(String const& y, int pos) const {
    return MatchAt(view(), pos, y.view());
}
bool String::contains(SubString const& y, int pos) const {
    return MatchAt(view(), pos, y.view());
}

bool String::matches(char c, int pos) const {
    return MatchRest(view(), pos, View(c));
}
bool String::matches(char const* t, int pos) const {
    return MatchRest(view(), pos, View(t));
}
bool String::matches(String const& y, int pos) const {
    return MatchRest(view(), pos, y.view());
}
bool String::matches(SubString const& y, int pos) const {
    return MatchRest(view(), pos, y.view());
}

int String::freq(char c) const {
    return Freq(view(), View(c));
}
int String::freq(char const* t) const {
    return Freq(view(), View(t));
}
int String::freq(String const& y) const {
    return Freq(view(), y.view());
}
int String::freq(SubString const& y) const {
    return Freq(view(), y.view());
}

// ---- sub-ranges ----

SubString String::Sub(long long pos, long long len) {
    if (pos < 0 || len < 0 || pos + len > static_cast<long long>(rep_->len))
        return SubString(NilString(), 0, 0);
    return SubString(*this, static_cast<std::uint32_t>(pos), static_cast<std::uint32_t>(len));
}

SubString String::at(int pos, int len) {
    return Sub(pos, len);
}
SubString String::before(int pos) {
    return Sub(0, pos);
}
SubString String::through(int pos) {
    return Sub(0, static_cast<long long>(pos) + 1);
}
SubString String::after(int pos) {
    return Sub(static_cast<long long>(pos) + 1, static_cast<long long>(rep_->len) - pos - 1);
}
SubString String::from(int pos) {
    return Sub(pos, static_cast<long long>(rep_->len) - pos);
}

SubString String::SubAt(std::string_view t, int startpos) {
    int const p = Search(view(), startpos, t);
    return p < 0 ? Sub(-1, 0) : Sub(p, static_cast<long long>(t.size()));
}
SubString String::SubBefore(std::string_view t, int startpos) {
    int const p = Search(view(), startpos, t);
    return p < 0 ? Sub(-1, 0) : Sub(0, p);
}
SubString String::SubThrough(std::string_view t, int startpos) {
    int const p = Search(view(), startpos, t);
    return p < 0 ? Sub(-1, 0) : Sub(0, p + static_cast<long long>(t.size()));
}
SubString String::SubAfter(std::string_view t, int startpos) {
    int const p = Search(view(), startpos, t);
    if (p < 0) return Sub(-1, 0);
    long long const first = p + static_cast<long long>(t.size());
    return Sub(first, rep_->len - first);
}
SubString String::SubFrom(std::string_view t, int startpos) {
    int const p = Search(view(), startpos, t);
    return p < 0 ? Sub(-1, 0) : Sub(p, static_cast<long long>(rep_->len) - p);
}

SubString String::at(char c, int startpos) {
    return SubAt(View(c), startpos);
}
SubString String::at(char const* t, int startpos) {
    return SubAt(View(t), startpos);
}
SubString String::at(String const& y, int startpos) {
    return SubAt(y.view(), startpos);
}
SubString String::at(SubString const& y, int startpos) {
    return SubAt(y.view(), startpos);
}
SubString String::before(char c, int startpos) {
    return SubBefore(View(c), startpos);
}
SubString String::before(char const* t, int startpos) {
    return SubBefore(View(t), startpos);
}
SubString String::before(String const& y, int startpos) {
    return SubBefore(y.view(), startpos);
}
SubString String::before(SubString const& y, int startpos) {
    return SubBefore(y.view(), startpos);
}
SubString String::through(char c, int startpos) {
    return SubThrough(View(c), startpos);
}
SubString String::through(char const* t, int startpos) {
    return SubThrough(View(t), startpos);
}
SubString String::through(String const& y, int startpos) {
    return SubThrough(y.view(), startpos);
}
SubString String::through(SubString const& y, int startpos) {
    return SubThrough(y.view(), startpos);
}
SubString String::after(char c, int startpos) {
    return SubAfter(View(c), startpos);
}
SubString String::after(char const* t, int startpos) {
    return SubAfter(View(t), startpos);
}
SubString String::after(String const& y, int startpos) {
    return SubAfter(y.view(), startpos);
}
SubString String::after(SubString const& y, int startpos) {
    return SubAfter(y.view(), startpos);
}
SubString String::from(char c, int startpos) {
    return SubFrom(View(c), startpos);
}
SubString String::from(char const* t, int startpos) {
    return SubFrom(View(t), startpos);
}
SubString String::from(String const& y, int startpos) {
    return SubFrom(y.view(), startpos);
}
SubString String::from(SubString const& y, int startpos) {
    return SubFrom(y.view(), startpos);
}

// ---- editing ----

bool String::del(int pos, int len) {
    if (pos < 0 || len <= 0 || static_cast<long long>(pos) + len > rep_->len) return false;
    Replace(static_cast<std::size_t>(pos), static_cast<std::size_t>(len), nullptr, 0);
    return true;
}

bool String::Del(std::string_view t, int startpos) {
    if (t.empty()) return false;
    int const p = Search(view(), startpos, t);
    if (p < 0) return false;
    Replace(static_cast<std::size_t>(p), t.size(), nullptr, 0);
    return true;
}

bool String::del(char c, int startpos) {
    return Del(View(c), startpos);
}
bool String::del(char const* t, int startpos) {
    return Del(View(t), startpos);
}
bool String::del(String const& y, int startpos) {
    return Del(y.view(), startpos);
}
bool String::del(SubString const& y, int startpos) {
    return Del(y.view(), startpos);
}

int String::Gsub(std::string_view pat, std::string_view repl) {
    if (pat.empty()) return 0;
    std::string_view const s = view();
    std::string out;
    int count = 0;
    std::size_t from = 0;
    for (std::size_t p = s.find(pat); p != std::string_view::npos; p = s.find(pat, from)) {
        out.append(s.substr(from, p - from)).append(repl);
        from = p + pat.size();
        ++count;
    }
    if (count == 0) return 0;
    out.append(s.substr(from));
    // pat and repl may view this string; they are not used after this point.
    Assign(out);
    return count;
}

int String::gsub(String const& pat, String const& repl) {
    return Gsub(pat.view(), repl.view());
}
int String::gsub(SubString const& pat, String const& repl) {
    return Gsub(pat.view(), repl.view());
}
int String::gsub(char const* pat, String const& repl) {
    return Gsub(View(pat), repl.view());
}
int String::gsub(String const& pat, char const* repl) {
    return Gsub(pat.view(), View(repl));
}
int String::gsub(SubString const& pat, char const* repl) {
    return Gsub(pat.view(), View(repl));
}
int String::gsub(char const* pat, char const* repl) {
    return Gsub(View(pat), View(repl));
}

void String::reverse() {
    std::reverse(rep_->s(), rep_->s() + rep_->len);
}

void String::upcase() {
    std::transform(rep_->s(), rep_->s() + rep_->len, rep_->s(), AsciiUpper);
}

void String::downcase() {
    std::transform(rep_->s(), rep_->s() + rep_->len, rep_->s(), AsciiLower);
}

void String::capitalize() {
    bool in_word = false;
    for (char* p = rep_->s(); p != rep_->s() + rep_->len; ++p) {
        if (IsAsciiAlnum(*p)) {
            *p = in_word ? AsciiLower(*p) : AsciiUpper(*p);
            in_word = true;
        } else if (*p != '\'') {
            in_word = false;
        }
    }
}

bool String::OK() const {
    if (rep_ == nullptr) return false;
    if (rep_ == Nil()) return rep_->len == 0 && rep_->sz == 0 && rep_->s()[0] == '\0';
    return rep_->len <= rep_->sz && rep_->sz == CapacityFor(rep_->sz) &&
           rep_->s()[rep_->len] == '\0';
}

String const& String::DefaultNumberFormat() {
    return NumberFormat();
}

bool String::SetDefaultNumberFormat(String const& format) {
    if (!IsNumberFormat(format.view())) return false;
    NumberFormat() = format;
    return true;
}

// ---- SubString ----

char const* SubString::chars() const {
    return S_.chars() + pos_;
}

SubString& SubString::Assign(std::string_view x) {
    if (&S_ == &NilString()) return *this;  // a view outside its string has nothing to replace
    S_.Replace(pos_, len_, x.data(), x.size());
    len_ = static_cast<std::uint32_t>(x.size());
    return *this;
}

SubString& SubString::operator=(String const& x) {
    return Assign(x.view());
}
SubString& SubString::operator=(SubString const& x) {
    return Assign(x.view());
}
SubString& SubString::operator=(char const* x) {
    return Assign(View(x));
}
SubString& SubString::operator=(char c) {
    return Assign(View(c));
}

bool SubString::contains(char c) const {
    return Search(view(), 0, View(c)) >= 0;
}
bool SubString::contains(char const* x) const {
    return Search(view(), 0, View(x)) >= 0;
}
bool SubString::contains(String const& x) const {
    return Search(view(), 0, x.view()) >= 0;
}
bool SubString::contains(SubString const& x) const {
    return Search(view(), 0, x.view()) >= 0;
}
bool SubString::matches(char const* x) const {
    return view() == View(x);
}
bool SubString::matches(String const& x) const {
    return view() == x.view();
}
bool SubString::matches(SubString const& x) const {
    return view() == x.view();
}

bool SubString::OK() const {
    return S_.OK() && static_cast<unsigned long long>(pos_) + len_ <= S_.view().size();
}

// ---- comparison ----

int compare(String const& x, String const& y) {
    return CompareViews(x.view(), y.view());
}
int compare(String const& x, SubString const& y) {
    return CompareViews(x.view(), y.view());
}
int compare(SubString const& x, String const& y) {
    return CompareViews(x.view(), y.view());
}
int compare(SubString const& x, SubString const& y) {
    return CompareViews(x.view(), y.view());
}
int compare(String const& x, char const* y) {
    return CompareViews(x.view(), View(y));
}
int compare(SubString const& x, char const* y) {
    return CompareViews(x.view(), View(y));
}

int fcompare(String const& x, String const& y) {
    std::string_view const a = x.view();
    std::string_view const b = y.view();
    std::size_t const n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        char const ca = AsciiUpper(a[i]);
        char const cb = AsciiUpper(b[i]);
        if (ca != cb) return Signed(ca) - Signed(cb);
    }
    return static_cast<int>(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

bool operator==(String const& x, String const& y) {
    return x.view() == y.view();
}
bool operator==(String const& x, SubString const& y) {
    return x.view() == y.view();
}
bool operator==(String const& x, char const* y) {
    return x.view() == View(y);
}
bool operator==(SubString const& x, SubString const& y) {
    return x.view() == y.view();
}
bool operator==(SubString const& x, char const* y) {
    return x.view() == View(y);
}
std::strong_ordering operator<=>(String const& x, String const& y) {
    return Order(compare(x, y));
}
std::strong_ordering operator<=>(String const& x, SubString const& y) {
    return Order(compare(x, y));
}
std::strong_ordering operator<=>(String const& x, char const* y) {
    return Order(compare(x, y));
}
std::strong_ordering operator<=>(SubString const& x, SubString const& y) {
    return Order(compare(x, y));
}
std::strong_ordering operator<=>(SubString const& x, char const* y) {
    return Order(compare(x, y));
}

// ---- concatenation ----

namespace {
String Concat(std::string_view x, std::string_view y) {
    String r(x);
    r += y;
    return r;
}
}  // namespace

String operator+(String const& x, String const& y) {
    return Concat(x.view(), y.view());
}
String operator+(String const& x, SubString const& y) {
    return Concat(x.view(), y.view());
}
String operator+(String const& x, char const* y) {
    return Concat(x.view(), View(y));
}
String operator+(String const& x, char y) {
    return Concat(x.view(), View(y));
}
String operator+(SubString const& x, String const& y) {
    return Concat(x.view(), y.view());
}
String operator+(SubString const& x, SubString const& y) {
    return Concat(x.view(), y.view());
}
String operator+(SubString const& x, char const* y) {
    return Concat(x.view(), View(y));
}
String operator+(SubString const& x, char y) {
    return Concat(x.view(), View(y));
}
String operator+(char const* x, String const& y) {
    return Concat(View(x), y.view());
}
String operator+(char const* x, SubString const& y) {
    return Concat(View(x), y.view());
}
String operator+(char x, String const& y) {
    return Concat(View(x), y.view());
}
String operator+(String&& x, String const& y) {
    return std::move(x += y);
}
String operator+(String&& x, char const* y) {
    return std::move(x += y);
}
String operator+(String&& x, char y) {
    return std::move(x += y);
}

// ---- streams ----

std::ostream& operator<<(std::ostream& out, String const& x) {
    return out << x.view();
}
std::ostream& operator<<(std::ostream& out, SubString const& x) {
    return out << x.view();
}

std::istream& operator>>(std::istream& in, String& x) {
    std::string word;
    in >> word;
    x = String(std::string_view(word));
    return in;
}

int readline(std::istream& in, String& s, char terminator, int discard) {
    s = "";
    s.Reserve(80);
    std::streambuf* buf = in.rdbuf();
    bool const ok = in.good() && buf != nullptr;
    bool got_any = false;
    bool at_end = !ok;
    std::string chunk;
    while (ok) {
        int const c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            at_end = true;
            break;
        }
        got_any = true;
        char const ch = std::char_traits<char>::to_char_type(c);
        if (ch == terminator) {
            if (discard == 0) chunk += ch;
            break;
        }
        chunk += ch;
        if (chunk.size() >= 4096) {
            s += std::string_view(chunk);
            chunk.clear();
        }
    }
    s += std::string_view(chunk);
    if (at_end) in.setstate(got_any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
    return s.length();
}

// ---- free functions ----

int split(String const& x, String res[], int maxn, String const& sep) {
    std::string_view const s = x.view();
    std::string_view const t = sep.view();
    int i = 0;
    std::size_t pos = 0;
    while (i < maxn && pos < s.size()) {
        std::size_t p = t.empty() ? std::string_view::npos : s.find(t, pos);
        if (p == std::string_view::npos) p = s.size();
        res[i++] = String(s.substr(pos, p - pos));
        pos = p + t.size();
    }
    return i;
}

namespace {
template <class Emit>
void ForEachToken(std::string_view s, std::string_view delims, Emit emit) {
    std::size_t pos = s.find_first_not_of(delims);
    while (pos != std::string_view::npos) {
        std::size_t end = s.find_first_of(delims, pos);
        if (end == std::string_view::npos) end = s.size();
        if (!emit(s.substr(pos, end - pos))) return;
        pos = s.find_first_not_of(delims, end);
    }
}
}  // namespace

int tokenize(String const& x, String res[], int maxn, String const& delims) {
    int n = 0;
    if (maxn <= 0) return 0;
    ForEachToken(x.view(), delims.view(), [&](std::string_view tok) {
        res[n++] = String(tok);
        return n < maxn;
    });
    return n;
}

int tokenize(String const& x, std::vector<String>& res, String const& delims) {
    // x may be an element of res: take the text before res grows.
    String const copy(x);
    ForEachToken(copy.view(), delims.view(), [&](std::string_view tok) {
        res.emplace_back(tok);
        return true;
    });
    return static_cast<int>(res.size());
}

String join(String const src[], int n, String const& sep) {
    String r;
    for (int i = 0; i < n; ++i) {
        if (i > 0) r += sep;
        r += src[i];
    }
    return r;
}

String replicate(char c, int n) {
    return n > 0 ? String(std::string(static_cast<std::size_t>(n), c)) : String();
}

String replicate(String const& y, int n) {
    String r;
    for (int i = 0; i < n; ++i) r += y;
    return r;
}

String common_prefix(String const& x, String const& y, int startpos) {
    std::string_view const a = x.view();
    std::string_view const b = y.view();
    if (startpos < 0 || static_cast<std::size_t>(startpos) > std::min(a.size(), b.size()))
        return String();
    std::size_t const start = static_cast<std::size_t>(startpos);
    std::size_t i = start;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return String(a.substr(start, i - start));
}

String common_suffix(String const& x, String const& y, int startpos) {
    std::string_view const a = x.view();
    std::string_view const b = y.view();
    // The run ends at position ea in x and eb in y.
    long long ea = startpos < 0 ? static_cast<long long>(a.size()) + startpos : startpos;
    long long eb = startpos < 0 ? static_cast<long long>(b.size()) + startpos : startpos;
    if (ea < 0 || eb < 0 || ea >= static_cast<long long>(a.size()) ||
        eb >= static_cast<long long>(b.size()))
        return String();
    long long n = 0;
    while (ea - n >= 0 && eb - n >= 0 &&
           a[static_cast<std::size_t>(ea - n)] == b[static_cast<std::size_t>(eb - n)])
        ++n;
    return String(a.substr(static_cast<std::size_t>(ea - n + 1), static_cast<std::size_t>(n)));
}

int Sprintf(String& dst, String const& fmt, String const& a1, String const& a2, String const& a3,
            String const& a4, String const& a5) {
    // Work on a copy: the arguments may be dst itself.
    String out(fmt);
    String const* args[] = {&a1, &a2, &a3, &a4, &a5};
    int total = 0;
    for (int n = 1; n <= 5; ++n) {
        char const placeholder[] = {'%', static_cast<char>('0' + n), '\0'};
        String const& arg = *args[n - 1];
        int pos = 0;
        for (int p = out.index(placeholder, pos); p >= 0; p = out.index(placeholder, pos)) {
            out.at(p, 2) = arg;
            pos = p + arg.length();
            ++total;
        }
    }
    dst = out;
    return total;
}

}  // namespace om
