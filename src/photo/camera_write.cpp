// Writing one camera: the simple line, the keyword values and the bundle-program line.
#include <om/photo/camera.h>

#include <charconv>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>

#include <om/textio/writer.h>

namespace om {

namespace {

// Restores a stream's format flags and precision when a writer is done with it.
class StreamFormatSaver {
  public:
    explicit StreamFormatSaver(std::ostream& out)
        : out_(out), flags_(out.flags()), precision_(out.precision()) {}
    ~StreamFormatSaver() {
        out_.flags(flags_);
        out_.precision(precision_);
    }
    StreamFormatSaver(const StreamFormatSaver&) = delete;
    StreamFormatSaver& operator=(const StreamFormatSaver&) = delete;

  private:
    std::ostream& out_;
    std::ios_base::fmtflags flags_;
    std::streamsize precision_;
};

// The shortest text that reads back as the same double. A non-finite value would be a keyword to
// the tokenizer and stop the reading of the rest of the file, so it is written as 0.
std::string Number(double v) {
    if (!std::isfinite(v)) return "0";
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, result.ptr);
}

// The tokenizer has no escapes: a double quote inside a name would end the string early and a
// line end would split the line, corrupting the rest of the file. Both are replaced.
std::string QuotedName(const String& name) {
    std::string text = "\"";
    for (const char* p = name.chars(); *p; ++p) {
        const char ch = *p;
        text += ch == '"' ? '\'' : (ch == '\n' || ch == '\r') ? ' ' : ch;
    }
    text += '"';
    return text;
}

}  // namespace

std::ostream& OmCamera::Write(std::ostream& out) const {
    StreamFormatSaver saver(out);
    out << w4 << GetId();
    for (double v : {c_, xh_, yh_, a1_, a2_, r0_}) out << ' ' << Number(v);
    return out << ' ' << QuotedName(GetName());
}

std::ostream& OmCamera::WriteFullData(std::ostream& out, bool multiline) const {
    auto next = [&out, multiline]() -> std::ostream& {
        return multiline ? Omendl(out) : out << ' ';
    };
    out << "ID " << GetId();
    next() << "NAME " << QuotedName(GetName());
    next() << "MD " << mode_;
    const std::pair<const char*, double> values[] = {
        {"C", c_},        {"CV", cViva_}, {"XH", xh_}, {"YH", yh_}, {"XHV", xhViva_},
        {"YHV", yhViva_}, {"A1", a1_},    {"A2", a2_}, {"A3", a3_}, {"R0", r0_},
        {"RM", rm_},      {"B1", b1_},    {"B2", b2_}, {"C1", c1_}, {"C2", c2_}};
    for (const auto& [keyword, value] : values) next() << keyword << ' ' << Number(value);
    return out;
}

std::ostream& OmCamera::WriteTS15Data(std::ostream& out) const {
    out << "ID " << GetId() << " NAME " << QuotedName(GetName()) << " MD " << mode_;
    const std::pair<const char*, double> values[] = {
        {"C", c_},        {"CV", cViva_}, {"XH", xh_}, {"YH", yh_}, {"XHV", xhViva_},
        {"YHV", yhViva_}, {"A1", a1_},    {"A2", a2_}, {"R0", r0_}, {"RM", rm_}};
    for (const auto& [keyword, value] : values) out << ' ' << keyword << ' ' << Number(value);
    return out;
}

// The bundle program knows only the radial model: a CAP camera hands over its constant and
// zeros for the rest.
std::ostream& OmCamera::WriteKavroFormat(std::ostream& out) const {
    StreamFormatSaver saver(out);
    out << p8 << w4 << GetId() << w12 << std::fabs(c_);
    if (mode_ == kModeCap) {
        for (int k = 0; k < 5; ++k) out << w12 << 0;
    } else {
        for (double v : {xh_, yh_, a1_, a2_, r0_}) out << w12 << v;
    }
    return out;
}

}  // namespace om
