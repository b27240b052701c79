// Reading and writing the id and name of an OmObject, the header of many records' blocks.
#include <om/core/object.h>

#include <ostream>

#include <om/textio/reader.h>
#include <om/textio/writer.h>

#include "textio/int_text.h"

namespace om {

int OmObject::Read(OmReaderObject* reader) {
    OmParser& parser = reader->GetParser();
    // Ids are written unsigned: take the token's 32-bit pattern, not the saturated int.
    SetId(
        static_cast<unsigned>(textio_detail::IntTextBits(parser.GetToken(OmTokenInt).GetString())));
    reader->NextToken();
    SetName(String(parser.GetTokenString()));
    reader->NextToken();
    return 1;
}

std::ostream& OmObject::Write(std::ostream& out) const {
    return out << w4 << GetId() << " \"" << GetName().chars() << '"';
}

}  // namespace om
