// Reading and writing the id and name of an OmObject, the header of many records' blocks.
#include <om/core/object.h>

#include <ostream>

#include <om/textio/reader.h>
#include <om/textio/writer.h>

namespace om {

int OmObject::Read(OmReaderObject* reader) {
    OmParser& parser = reader->GetParser();
    SetId(static_cast<unsigned>(parser.GetTokenInt()));
    reader->NextToken();
    SetName(String(parser.GetTokenString()));
    reader->NextToken();
    return 1;
}

std::ostream& OmObject::Write(std::ostream& out) const {
    return out << w4 << GetId() << " \"" << GetName().chars() << '"';
}

}  // namespace om
