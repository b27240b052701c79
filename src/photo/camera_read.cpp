// Reading one camera: the positional simple line and the keyword block.
#include <om/photo/camera.h>

#include <cmath>

#include <om/textio/parser.h>
#include <om/textio/reader.h>

namespace om {

namespace {

// A number of the simple line: an integer or a floating-point token; any other kind counts as 0.
// Braces and the end of input are not consumed, so a short line cannot swallow the next one.
double TakeNumber(OmReaderObject* ro) {
    const OmParserToken& token = ro->GetParser().GetToken();
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
    OmParser& parser = ro->GetParser();
    const int id = parser.GetTokenInt();
    ro->NextToken();
    SetId(static_cast<unsigned>(id));
    double* const fields[] = {&c_, &xh_, &yh_, &a1_, &a2_, &r0_};
    for (double* field : fields) *field = TakeNumber(ro);
    c_ = std::fabs(c_);
    ClearCache();
    rm_ = 2.1 * r0_;
    SetName(String(parser.GetTokenString()));
    ro->NextToken();
    return 1;
}

int OmCamera::ReadFullData(OmReaderObject* ro) {
    unsigned id = GetId();
    String name = GetName();
    OmReaderObject keywords[] = {
        {"ID", &id},       {"NAME", &name}, {"MD", &mode_}, {"C", &c_},   {"CV", &cViva_},
        {"XH", &xh_},      {"YH", &yh_},    {"X0", &xh_},   {"Y0", &yh_}, {"XHV", &xhViva_},
        {"YHV", &yhViva_}, {"A1", &a1_},    {"A2", &a2_},   {"A3", &a3_}, {"R0", &r0_},
        {"RM", &rm_},      {"B1", &b1_},    {"B2", &b2_},   {"C1", &c1_}, {"C2", &c2_}};
    for (OmReaderObject& keyword : keywords) ro->RegisterObject(keyword);
    ro->DoProcess();
    SetId(id);
    SetName(name);
    if (rm_ == 0.0) rm_ = 2.1 * r0_;
    ClearCache();
    return 1;
}

}  // namespace om
