// The library's 8-bit character string value and its substring view.
//
// String holds bytes (project files are 8-bit text, UTF-8 in practice) with value semantics: a
// copy owns its own characters. Positions are int; a failed search yields -1. A search that takes
// a start position searches forward from it when it is >= 0 and backward when it is negative:
// the pattern is first tried ending at position length + startpos (so -1 means ending at the last
// character), then further left.
//
// Lengths and positions are kept in 32 bits, so a string may hold up to kMaxLength characters;
// a request for more throws std::length_error (the only way besides std::bad_alloc that an
// operation fails loudly). Nothing ever wraps.
#pragma once

#include <compare>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace om {

class String;
class SubString;

// The representation of a non-empty String: counts followed by the characters and a NUL.
struct StrRep {
    std::uint32_t len;  // characters, not counting the terminator
    std::uint32_t sz;   // characters that fit without reallocation

    char* s() { return reinterpret_cast<char*>(this + 1); }
    char const* s() const { return reinterpret_cast<char const*>(this + 1); }
};

// A view on a range of a String. Assigning to it replaces that range inside the String. A view
// that was requested outside its string is an empty view on a shared empty string; assigning to
// such a view changes nothing.
class SubString {
  public:
    SubString(SubString const&) = default;

    SubString& operator=(String const& x);
    SubString& operator=(SubString const& x);
    SubString& operator=(char const* x);
    SubString& operator=(char c);

    int length() const { return static_cast<int>(len_); }
    bool empty() const { return len_ == 0; }
    // The first character of the range; the range is not NUL-terminated.
    char const* chars() const;
    std::string_view view() const { return {chars(), len_}; }

    // x occurs anywhere in the range.
    bool contains(char c) const;
    bool contains(char const* x) const;
    bool contains(String const& x) const;
    bool contains(SubString const& x) const;
    // The range equals x.
    bool matches(char const* x) const;
    bool matches(String const& x) const;
    bool matches(SubString const& x) const;

    bool OK() const;

  protected:
    friend class String;
    SubString(String& s, std::uint32_t pos, std::uint32_t len) : S_(s), pos_(pos), len_(len) {}

  private:
    SubString& Assign(std::string_view x);

    String& S_;
    std::uint32_t pos_;
    std::uint32_t len_;
};

class String {
  public:
    // The largest number of characters a String holds.
    static constexpr std::uint32_t kMaxLength = 0x7FFFFFC0;

    String();
    String(String const& x);
    String(String&& x) noexcept;
    String(SubString const& x);
    String(char const* t);  // null gives the empty string
    String(char const* t, int len);
    String(char c);
    String(int i);     // "%d"
    String(double d);  // the default number format, see DefaultNumberFormat
    explicit String(std::string_view t);
    virtual ~String();

    String& operator=(String const& x);
    String& operator=(String&& x) noexcept;
    String& operator=(SubString const& x);
    String& operator=(char const* t);
    String& operator=(char c);

    String& operator+=(String const& x);
    String& operator+=(SubString const& x);
    String& operator+=(char const* t);
    String& operator+=(char c);
    String& operator+=(std::string_view t) { return Append(t), *this; }
    String& prepend(String const& x);
    String& prepend(SubString const& x);
    String& prepend(char const* t);
    String& prepend(char c);

    // Access. Indexes are not checked: the caller keeps them in [0, length()] (position length()
    // holds the terminator).
    int length() const { return static_cast<int>(rep_->len); }
    bool empty() const { return rep_->len == 0; }
    int allocation() const { return static_cast<int>(rep_->sz); }
    char const* chars() const { return rep_->s(); }
    operator char const*() const { return rep_->s(); }
    std::string_view view() const { return {rep_->s(), rep_->len}; }
    std::string str() const { return std::string(view()); }
    template <std::integral I>
    char& operator[](I i) {
        return rep_->s()[i];
    }
    template <std::integral I>
    char const& operator[](I i) const {
        return rep_->s()[i];
    }
    char& elem(int i) { return rep_->s()[i]; }
    char elem(int i) const { return rep_->s()[i]; }
    char firstchar() const { return rep_->s()[0]; }
    char lastchar() const { return rep_->len ? rep_->s()[rep_->len - 1] : '\0'; }

    // Position of the first (backward: last) occurrence of x, or -1.
    int index(char c, int startpos = 0) const;
    int index(char const* t, int startpos = 0) const;
    int index(String const& y, int startpos = 0) const;
    int index(SubString const& y, int startpos = 0) const;

    // x occurs anywhere.
    bool contains(char c) const { return index(c) >= 0; }
    bool contains(char const* t) const { return index(t) >= 0; }
    bool contains(String const& y) const { return index(y) >= 0; }
    bool contains(SubString const& y) const { return index(y) >= 0; }
    // x occurs starting exactly at pos (a negative pos: ending at length + pos).
    bool contains(char c, int pos) const;
    bool contains(char const* t, int pos) const;
    bool contains(String const& y, int pos) const;
    bool contains(SubString const& y, int pos) const;
    // The rest of the string from pos equals x (a negative pos: x is the end of the string).
    bool matches(char c, int pos = 0) const;
    bool matches(char const* t, int pos = 0) const;
    bool matches(String const& y, int pos = 0) const;
    bool matches(SubString const& y, int pos = 0) const;

    // Number of positions at which x occurs (overlapping occurrences count; an empty x: 0).
    int freq(char c) const;
    int freq(char const* t) const;
    int freq(String const& y) const;
    int freq(SubString const& y) const;

    // Sub-ranges by position: at [pos, pos + len), before [0, pos), through [0, pos],
    // after (pos, end], from [pos, end]. A range outside the string gives the empty view.
    SubString operator()(int pos, int len) { return at(pos, len); }
    SubString at(int pos, int len);
    SubString before(int pos);
    SubString through(int pos);
    SubString after(int pos);
    SubString from(int pos);
    SubString const operator()(int pos, int len) const { return Self().at(pos, len); }
    SubString const at(int pos, int len) const { return Self().at(pos, len); }
    SubString const before(int pos) const { return Self().before(pos); }
    SubString const through(int pos) const { return Self().through(pos); }
    SubString const after(int pos) const { return Self().after(pos); }
    SubString const from(int pos) const { return Self().from(pos); }

    // Sub-ranges relative to the first occurrence of x found from startpos: at is the
    // occurrence, before the text before it, through up to and including it, after the text
    // after it, from it and everything after. x not found: the empty view.
    SubString at(char c, int startpos = 0);
    SubString at(char const* t, int startpos = 0);
    SubString at(String const& y, int startpos = 0);
    SubString at(SubString const& y, int startpos = 0);
    SubString before(char c, int startpos = 0);
    SubString before(char const* t, int startpos = 0);
    SubString before(String const& y, int startpos = 0);
    SubString before(SubString const& y, int startpos = 0);
    SubString through(char c, int startpos = 0);
    SubString through(char const* t, int startpos = 0);
    SubString through(String const& y, int startpos = 0);
    SubString through(SubString const& y, int startpos = 0);
    SubString after(char c, int startpos = 0);
    SubString after(char const* t, int startpos = 0);
    SubString after(String const& y, int startpos = 0);
    SubString after(SubString const& y, int startpos = 0);
    SubString from(char c, int startpos = 0);
    SubString from(char const* t, int startpos = 0);
    SubString from(String const& y, int startpos = 0);
    SubString from(SubString const& y, int startpos = 0);
    template <class X>
    SubString const at(X const& x, int startpos = 0) const {
        return Self().at(x, startpos);
    }
    template <class X>
    SubString const before(X const& x, int startpos = 0) const {
        return Self().before(x, startpos);
    }
    template <class X>
    SubString const through(X const& x, int startpos = 0) const {
        return Self().through(x, startpos);
    }
    template <class X>
    SubString const after(X const& x, int startpos = 0) const {
        return Self().after(x, startpos);
    }
    template <class X>
    SubString const from(X const& x, int startpos = 0) const {
        return Self().from(x, startpos);
    }

    // Removes [pos, pos + len); false and no change when pos < 0, len <= 0 or pos + len > length.
    bool del(int pos, int len);
    // Removes the first occurrence of x found from startpos; false when there is none.
    bool del(char c, int startpos = 0);
    bool del(char const* t, int startpos = 0);
    bool del(String const& y, int startpos = 0);
    bool del(SubString const& y, int startpos = 0);

    // Replaces every non-overlapping occurrence of pat, left to right; returns the number of
    // replacements (0 for an empty pattern).
    int gsub(String const& pat, String const& repl);
    int gsub(SubString const& pat, String const& repl);
    int gsub(char const* pat, String const& repl);
    int gsub(String const& pat, char const* repl);
    int gsub(SubString const& pat, char const* repl);
    int gsub(char const* pat, char const* repl);

    // In place. Case changes touch the ASCII letters only (the result does not depend on the
    // process locale, and UTF-8 sequences stay intact).
    void reverse();
    void upcase();
    void downcase();
    // Upper-cases the first letter of every word, lower-cases the rest; a word is a run of
    // letters and digits in which an apostrophe does not end the word.
    void capitalize();

    // Consistency of the representation.
    bool OK() const;

    // The library-wide format of String(double), "%6.3f" at load time. A new format must hold
    // exactly one floating-point conversion (flags, width and precision allowed, "%%" as text);
    // anything else is refused (false) and the current format stays.
    static String const& DefaultNumberFormat();
    static bool SetDefaultNumberFormat(String const& format);

  private:
    friend class SubString;
    friend int readline(std::istream& in, String& s, char terminator, int discard);

    String& Self() const { return const_cast<String&>(*this); }
    // Replaces count characters at pos by the n characters at t (t may point into this string).
    void Replace(std::size_t pos, std::size_t count, char const* t, std::size_t n);
    void Assign(std::string_view t) { Replace(0, rep_->len, t.data(), t.size()); }
    void Append(std::string_view t) { Replace(rep_->len, 0, t.data(), t.size()); }
    // Makes room for at least n characters, keeping the contents.
    void Reserve(std::size_t n);
    SubString Sub(long long pos, long long len);
    SubString SubAt(std::string_view t, int startpos);
    SubString SubBefore(std::string_view t, int startpos);
    SubString SubThrough(std::string_view t, int startpos);
    SubString SubAfter(std::string_view t, int startpos);
    SubString SubFrom(std::string_view t, int startpos);
    bool Del(std::string_view t, int startpos);
    int Gsub(std::string_view pat, std::string_view repl);

    StrRep* rep_;
};

// Byte-wise comparison with characters taken as signed 8-bit values, the end of a string counting
// as a 0 character: the difference of the first differing pair, 0 when equal. (Where an embedded
// NUL meets the end of the other string, the shorter string is less, so the order stays total.)
int compare(String const& x, String const& y);
int compare(String const& x, SubString const& y);
int compare(SubString const& x, String const& y);
int compare(SubString const& x, SubString const& y);
int compare(String const& x, char const* y);
int compare(SubString const& x, char const* y);
// Like compare over the common length with the letters a-z folded to upper case; when the common
// part is equal, the length difference.
int fcompare(String const& x, String const& y);

bool operator==(String const& x, String const& y);
bool operator==(String const& x, SubString const& y);
bool operator==(String const& x, char const* y);
bool operator==(SubString const& x, SubString const& y);
bool operator==(SubString const& x, char const* y);
std::strong_ordering operator<=>(String const& x, String const& y);
std::strong_ordering operator<=>(String const& x, SubString const& y);
std::strong_ordering operator<=>(String const& x, char const* y);
std::strong_ordering operator<=>(SubString const& x, SubString const& y);
std::strong_ordering operator<=>(SubString const& x, char const* y);

String operator+(String const& x, String const& y);
String operator+(String const& x, SubString const& y);
String operator+(String const& x, char const* y);
String operator+(String const& x, char y);
String operator+(SubString const& x, String const& y);
String operator+(SubString const& x, SubString const& y);
String operator+(SubString const& x, char const* y);
String operator+(SubString const& x, char y);
String operator+(char const* x, String const& y);
String operator+(char const* x, SubString const& y);
String operator+(char x, String const& y);
String operator+(String&& x, String const& y);
String operator+(String&& x, char const* y);
String operator+(String&& x, char y);

std::ostream& operator<<(std::ostream& out, String const& x);
std::ostream& operator<<(std::ostream& out, SubString const& x);
// Reads one whitespace-delimited word.
std::istream& operator>>(std::istream& in, String& x);

// Cuts x at each occurrence of sep into at most maxn pieces stored in res[0..]; adjacent
// separators give empty pieces, a separator at the very end no trailing empty piece. An empty
// sep gives the whole text as one piece. Returns the number of pieces.
int split(String const& x, String res[], int maxn, String const& sep);
// Splits x at any character of delims, skipping empty tokens, into at most maxn Strings.
int tokenize(String const& x, String res[], int maxn, String const& delims);
// The same, appending every token to res; returns res.size().
int tokenize(String const& x, std::vector<String>& res, String const& delims);
String join(String const src[], int n, String const& sep);
String replicate(char c, int n);
String replicate(String const& y, int n);
// The longest common run of x and y starting at startpos in both.
String common_prefix(String const& x, String const& y, int startpos = 0);
// The longest common run ending at startpos in both (negative: counted from each end).
String common_suffix(String const& x, String const& y, int startpos = -1);

// Reads characters up to the terminator or the end of input into s; the terminator is stored
// only when discard is 0. Returns the number of characters stored. At the end of input the
// stream's eofbit is set, and failbit too when nothing at all was read.
int readline(std::istream& in, String& s, char terminator = '\n', int discard = 1);

// Placeholder formatting: dst becomes fmt with every "%1" replaced by a1, then every "%2" by a2,
// and so on to "%5"; the search for the next occurrence resumes after an inserted argument.
// Returns the number of replacements.
int Sprintf(String& dst, String const& fmt, String const& a1 = String(),
            String const& a2 = String(), String const& a3 = String(), String const& a4 = String(),
            String const& a5 = String());

}  // namespace om

template <>
struct std::hash<om::String> {
    std::size_t operator()(om::String const& s) const noexcept {
        return std::hash<std::string_view>{}(s.view());
    }
};
