#include <fstream>
#include <locale>
#include <memory>
#include <ostream>

#include <om/points/plane.h>
#include <om/textio/parser.h>
#include <om/textio/reader.h>
#include <om/textio/writer.h>

namespace om {

OmPlaneList::OmPlaneList(const String& fileName) {
    ReadFile(fileName);
}

int OmPlaneList::ReadFile(const String& fileName) {
    OmReader reader(fileName.chars());
    OmReaderObject catchAll(Link(this, &OmPlaneList::Read50PlaneLink));
    reader.RegisterObject(catchAll);
    badGroups_ = 0;
    reader.DoProcess(false);
    // Complete only when the whole file was consumed and no group failed: a missing file or a
    // malformed group is a recorded error, but the reader drops a final "not specified token"
    // entry, the end of the file inside a group records nothing, and a stray "}" ends reading
    // early without an error. Hence the parser must stand at the end of the file as well.
    const bool atEnd = reader.GetParser().GetStatus().GetStatus() == ParserStatusEOF;
    return atEnd && reader.GetReadErrorCount() == 0 && badGroups_ == 0 ? 1 : 0;
}

long OmPlaneList::Read50PlaneLink(void* reader) {
    return Read50Plane(static_cast<OmReaderObject*>(reader));
}

int OmPlaneList::Read50Plane(OmReaderObject* reader) {
    OmParser& parser = reader->GetParser();
    parser.GetToken(OmTokenBlockBegin);  // at the end of the file: the quiet end of reading
    try {
        reader->NextToken();
        auto plane = std::make_unique<OmPlane>(reader);
        // The group must close right after D; the reader then passes over the "}".
        parser.GetToken(OmTokenBlockEnd);
        Add(plane.release());
    } catch (const OmParserStatus&) {
        ++badGroups_;
        throw;
    }
    return 1;
}

OmPlane* OmPlaneList::AddPlane(OmReaderObject* reader) {
    return Add(new OmPlane(reader));
}
bool OmPlaneList::WriteFile(const String& fileName) const {
    std::ofstream out(fileName.chars());
    if (!out) return false;
    out.imbue(std::locale::classic());
    out << OmComment << "\n"
        << OmComment << "OMRIGRAPHY 10 Version "
        << "8.205"
        << " Plane File\n"
        << OmComment << "\n"
        << OmComment << "File Format: { Id \"Name\" A B C D }\n"
        << OmComment << "\n\n";
    for (const OmPlane* p = First(); p != nullptr; p = p->Next()) {
        out << "{";
        p->Write(out);
        out << " }\n";
    }
    out.flush();
    return static_cast<bool>(out);
}

int OmPlaneList::CountActivePlanes() const {
    int n = 0;
    for (const OmPlane* p = First(); p != nullptr; p = p->Next()) n += p->IsActive() ? 1 : 0;
    return n;
}

OmPlane* OmPlaneList::GetActivePlane() const {
    for (OmPlane* p = First(); p != nullptr; p = p->Next())
        if (p->IsActive()) return p;
    return nullptr;
}

}  // namespace om
