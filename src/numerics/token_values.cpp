#include "numerics/token_values.h"

#include <om/textio/parser.h>
#include <om/textio/reader.h>

namespace om::detail {

void RaiseNotSpecified(const OmParser& parser) {
    OmParserStatus status = parser.GetStatus();
    status.SetStatus(ParserErrorNotSpecifiedToken);
    throw status;
}

int TakeCount(OmReaderObject& reader, long long limit) {
    OmParser& parser = reader.GetParser();
    const int n = parser.GetTokenInt();
    if (n < 0 || n > limit) RaiseNotSpecified(parser);
    reader.NextToken();
    return n;
}

double TakeNumber(OmReaderObject& reader) {
    OmParser& parser = reader.GetParser();
    const OmParserToken& token = parser.GetToken();
    double value = 0.0;
    switch (token.GetType()) {
        case OmTokenInt:
            value = token.GetInt();
            break;
        case OmTokenFloat:
            value = token.GetFloat();
            break;
        case OmTokenBlockBegin:
        case OmTokenBlockEnd:
        case OmTokenEOF:
            RaiseNotSpecified(parser);
        default:
            break;
    }
    reader.NextToken();
    return value;
}

}  // namespace om::detail
