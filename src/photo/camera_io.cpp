// Reading and writing one camera: the positional simple line, the keyword block and the
// bundle-program line.
#include <om/photo/camera.h>

#include <cmath>
#include <iomanip>
#include <ostream>
#include <string>

#include <om/textio/parser.h>
#include <om/textio/reader.h>
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

// Enough digits for every double to read back bit for bit.
constexpr int kRoundTripDigits = 17;

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

// A number of the simple line: an integer or a floating-point token; any other kind counts as 0.
// Braces and the end of input are not consumed, so a short line cannot swallow the next one.
double TakeNumber(OmReaderObject* ro) {
    OmParser* parser = ro->GetReader()->GetParser();
    const OmParserToken& token = parser->GetToken();
    switch (token.GetType()) {
        case OmTokenBlockBegin:
        case OmTokenBlockEnd:
        case OmTokenEOF:
            return 0.0;
        default:
            break;
    }
    const double value = token.GetNumber();
    ro->NextToken();
    return value;
}

}  // namespace

OmCamera::OmCamera(OmReaderObject* reader, bool full) {
    if (!reader) return;
    if (full)
        ReadFullData(reader);
    else
        Read(reader);
}

// An integer identifier, six numbers c, xh, yh, a1, a2, r0 and a quoted name. The constant is
// stored as a magnitude; rm follows the balancing radius. The mode is not part of the line.
int OmCamera::Read(OmReaderObject* ro) {
    OmParser* parser = ro->GetReader()->GetParser();
    const int id = parser->GetTokenInt();
    ro->NextToken();
    SetId(static_cast<unsigned>(id));
    double* const fields[] = {&c_, &xh_, &yh_, &a1_, &a2_, &r0_};
    for (double* field : fields) *field = TakeNumber(ro);
    c_ = std::fabs(c_);
    ClearCache();
    rm_ = 2.1 * r0_;
    SetName(String(parser->GetTokenString()));
    ro->NextToken();
    return 1;
}

int OmCamera::ReadFullData(OmReaderObject* ro) {
    unsigned id = GetId();
    String name = GetName();
    ro->RegisterObject(OmReaderObject("ID", &id));
    ro->RegisterObject(OmReaderObject("NAME", &name));
    ro->RegisterObject(OmReaderObject("MD", &mode_));
    ro->RegisterObject(OmReaderObject("C", &c_));
    ro->RegisterObject(OmReaderObject("CV", &cViva_));
    ro->RegisterObject(OmReaderObject("XH", &xh_));
    ro->RegisterObject(OmReaderObject("YH", &yh_));
    ro->RegisterObject(OmReaderObject("X0", &xh_));
    ro->RegisterObject(OmReaderObject("Y0", &yh_));
    ro->RegisterObject(OmReaderObject("XHV", &xhViva_));
    ro->RegisterObject(OmReaderObject("YHV", &yhViva_));
    ro->RegisterObject(OmReaderObject("A1", &a1_));
    ro->RegisterObject(OmReaderObject("A2", &a2_));
    ro->RegisterObject(OmReaderObject("A3", &a3_));
    ro->RegisterObject(OmReaderObject("R0", &r0_));
    ro->RegisterObject(OmReaderObject("RM", &rm_));
    ro->RegisterObject(OmReaderObject("B1", &b1_));
    ro->RegisterObject(OmReaderObject("B2", &b2_));
    ro->RegisterObject(OmReaderObject("C1", &c1_));
    ro->RegisterObject(OmReaderObject("C2", &c2_));
    ro->DoProcess();
    SetId(id);
    SetName(name);
    if (rm_ == 0.0) rm_ = 2.1 * r0_;
    ClearCache();
    return 1;
}

std::ostream& OmCamera::Write(std::ostream& out) const {
    StreamFormatSaver saver(out);
    out << std::defaultfloat << std::setprecision(kRoundTripDigits) << w4 << GetId();
    for (double v : {c_, xh_, yh_, a1_, a2_, r0_}) out << ' ' << v;
    return out << ' ' << QuotedName(GetName());
}

std::ostream& OmCamera::WriteFullData(std::ostream& out, bool multiline) const {
    StreamFormatSaver saver(out);
    out << std::defaultfloat << std::setprecision(kRoundTripDigits);
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
    for (const auto& [keyword, value] : values) next() << keyword << ' ' << value;
    return out;
}

std::ostream& OmCamera::WriteTS15Data(std::ostream& out) const {
    StreamFormatSaver saver(out);
    out << std::defaultfloat << std::setprecision(kRoundTripDigits);
    out << "ID " << GetId() << " NAME " << QuotedName(GetName()) << " MD " << mode_;
    const std::pair<const char*, double> values[] = {
        {"C", c_},        {"CV", cViva_}, {"XH", xh_}, {"YH", yh_}, {"XHV", xhViva_},
        {"YHV", yhViva_}, {"A1", a1_},    {"A2", a2_}, {"R0", r0_}, {"RM", rm_}};
    for (const auto& [keyword, value] : values) out << ' ' << keyword << ' ' << value;
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
