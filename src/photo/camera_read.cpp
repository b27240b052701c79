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

}  // namespace om
