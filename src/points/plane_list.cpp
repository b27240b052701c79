#include <fstream>
#include <locale>
#include <memory>
#include <ostream>

#include <om/points/plane.h>
#include <om/textio/parser.h>
#include <om/textio/writer.h>

#include "points/plane_text.h"

namespace om {

namespace {

// Reads one `{ id "name" A B C D }` group whose "{" is the current token; the closing "}" is
// left current. Throws the tokenizer status on malformed or truncated input.
std::unique_ptr<OmPlane> ReadPlaneGroup(OmStreamTokenizer& tok) {
    tok.GetToken(OmTokenBlockBegin);
    auto plane = std::make_unique<OmPlane>();
    tok.Next();
    plane->SetId(OmTakePlaneId(tok));
    tok.Next();
    plane->SetName(String(tok.GetTokenString()));
    tok.Next();
    const auto advance = [&tok] { tok.Next(); };
    plane->A() = OmTakePlaneNumber(tok, advance);
    plane->B() = OmTakePlaneNumber(tok, advance);
    plane->C() = OmTakePlaneNumber(tok, advance);
    plane->D() = OmTakePlaneNumber(tok, advance);
    tok.GetToken(OmTokenBlockEnd);
    return plane;
}

}  // namespace

OmPlaneList::OmPlaneList(const String& fileName) {
    ReadFile(fileName);
}

int OmPlaneList::ReadFile(const String& fileName) {
    std::ifstream in(fileName.chars());
    if (!in) return 0;
    OmStreamTokenizer tok(in);
    try {
        while (tok.Next().GetType() != OmTokenEOF) Add(ReadPlaneGroup(tok).release());
    } catch (const OmParserStatus&) {
        // Malformed, truncated (end of file inside a group) or unreadable: the groups before
        // stay appended, reading stops here.
        return 0;
    }
    return 1;
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
