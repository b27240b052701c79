// Owning conversions between 8-bit text (UTF-8) and wide text, for APIs that take wchar_t*.
#pragma once

#include <memory>
#include <string>

namespace om {

// Converts UTF-8 to wide text. operator() returns the NUL-terminated result, or null when the
// input was null or empty. Bytes that are not valid UTF-8 become U+FFFD.
class AnsiToUni {
  public:
    explicit AnsiToUni(char const* text);
    explicit AnsiToUni(std::string const& text);
    AnsiToUni(AnsiToUni const&) = delete;
    AnsiToUni& operator=(AnsiToUni const&) = delete;
    virtual ~AnsiToUni();

    wchar_t* operator()() const { return buffer_.get(); }

  private:
    void Convert(char const* text, std::size_t n);
    // One wide unit per input byte at most, plus the terminator.
    std::unique_ptr<wchar_t[]> buffer_;
};

// Converts wide text to UTF-8. operator() returns the NUL-terminated result, or null when the
// input was null or empty. Units that are no Unicode character become U+FFFD.
class UniToAnsi {
  public:
    explicit UniToAnsi(wchar_t const* text);
    explicit UniToAnsi(std::wstring const& text);
    UniToAnsi(UniToAnsi const&) = delete;
    UniToAnsi& operator=(UniToAnsi const&) = delete;
    virtual ~UniToAnsi();

    char* operator()() const { return buffer_.get(); }

  private:
    void Convert(wchar_t const* text, std::size_t n);
    // At most four UTF-8 bytes per wide unit, plus the terminator.
    std::unique_ptr<char[]> buffer_;
};

}  // namespace om
