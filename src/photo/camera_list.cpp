#include <om/photo/camera_list.h>

#include <fstream>
#include <locale>
#include <map>
#include <ostream>
#include <string>

#include <om/log/dbgprintf.h>
#include <om/platform/beep.h>
#include <om/textio/writer.h>

namespace om {

namespace {

constexpr const char* kVersion = "8.205";

// Opens a file for writing with the classic locale, so numbers are written with a decimal point
// whatever the user's locale. The name is UTF-8, which is what the file system takes here.
bool OpenForWriting(const String& file, std::ofstream& out) {
    out.open(file.chars(), std::ios::out | std::ios::trunc);
    out.imbue(std::locale::classic());
    return out.is_open();
}

// 1 when every byte reached the file, 0 otherwise (a full disk shows up at the flush in close).
int FinishWriting(std::ofstream& out) {
    out.close();
    return out.fail() ? 0 : 1;
}

// Numbers with a decimal point whatever the user's locale. A file stream that already has the
// classic locale is left alone: re-imbuing a file buffer after output has begun loses its
// conversion facet.
void UseClassicLocale(std::ostream& out) {
    if (out.getloc() != std::locale::classic()) out.imbue(std::locale::classic());
}

}  // namespace

// --- writing ---

int OmCameraList::WriteFile(const String& file, bool kavro) {
    std::ofstream out;
    if (!OpenForWriting(file, out)) return 0;
    if (kavro)
        WriteFile(out, true);
    else if (ContainsOnlyKavroCams())
        WriteFile(out, false);
    else
        WriteFileFormatFull(out);
    return FinishWriting(out);
}

std::ostream& OmCameraList::WriteFile(std::ostream& out, bool kavro) {
    if (!kavro) return WriteSimpleFormat(WriteSimpleHeaderComment(out));
    for (OmCamera* cam = First(); cam; cam = static_cast<OmCamera*>(cam->Next()))
        cam->WriteKavroFormat(out) << '\n';
    return out;
}

std::ostream& OmCameraList::WriteSimpleHeaderComment(std::ostream& out) {
    OmComment(out) << '\n';
    OmComment(out) << "OMRIGRAPHY 10 Version " << kVersion << " Simple Camera File" << '\n';
    OmComment(out) << '\n';
    OmComment(out) << "File Format: { Id  C  Xh  Yh  A1  A2  R0 \"Infotext\"}" << '\n';
    OmComment(out) << '\n';
    return out << '\n';
}

std::ostream& OmCameraList::WriteSimpleFormat(std::ostream& out) {
    UseClassicLocale(out);
    OmWriterReset();
    for (OmCamera* cam = First(); cam; cam = static_cast<OmCamera*>(cam->Next())) {
        OmBeginBlock(out);
        cam->Write(out);
        OmEndBlock(out);
        Omendl(out);
    }
    return out;
}

int OmCameraList::WriteFileFormatFull(const String& file) {
    std::ofstream out;
    if (!OpenForWriting(file, out)) return 0;
    WriteFileFormatFull(out);
    return FinishWriting(out);
}

std::ostream& OmCameraList::WriteFileFormatFull(std::ostream& out) {
    UseClassicLocale(out);
    OmWriterReset();
    const std::string indent(7, ' ');
    auto gap = [](int n) { return std::string(n, ' '); };
    const std::string header[] = {
        "",
        std::string("OMRIGRAPHY 10 Version ") + kVersion + " General Purpose Camera File",
        "",
        "Ident: ID" + gap(8) + " Camera Id",
        indent + "NAME" + gap(6) + " Camera Name",
        indent + "MD" + gap(8) + " Mode: 0,1,2",
        indent + "C" + gap(9) + " Camera Constant",
        indent + "CV" + gap(8) + " Camera Constant Viva",
        indent + "XH YH" + gap(5) + " Principial Point",
        indent + "XHV YHV" + gap(3) + " Principial Point Viva",
        indent + "R0 RM" + gap(5) + " Radial Symmetric Distortion, Rmax",
        indent + "A1 A2 A3" + gap(2) + " Radial Symmetric Distortion",
        indent + "B1 B2" + gap(5) + " Affine Distortion",
        indent + "C1 C2" + gap(5) + " Tangential Distortion",
        "",
    };
    for (const std::string& line : header) OmComment(out) << line << '\n';
    out << '\n';
    for (OmCamera* cam = First(); cam; cam = static_cast<OmCamera*>(cam->Next())) {
        s10(out) << "CAMERA";
        OmBeginBlock(out) << ' ';
        cam->WriteFullData(out, false);
        OmEndBlock(out);
        Omendl(out);
    }
    return out;
}

// --- checks ---

bool OmCameraList::ContainsOnlyKavroCams() const {
    for (OmCamera* cam = First(); cam; cam = static_cast<OmCamera*>(cam->Next()))
        if (cam->GetMode() != OmCamera::kModeOmri) return false;
    return true;
}

// Two cameras may share an identifier (a camera and its copy for a second lens setting); three or
// more is taken as a mistake worth a warning.
int OmCameraList::TestForMultipleCameras() {
    std::map<unsigned, int> counts;
    for (OmCamera* cam = First(); cam; cam = static_cast<OmCamera*>(cam->Next()))
        ++counts[cam->GetId()];
    int reported = 0;
    for (const auto& [id, count] : counts) {
        if (count <= 2) continue;
        OmriBeep(1000, 100);
        dbgprintf("** OmCameraList::TestForMultipleCameras Id %d %d Entries", static_cast<int>(id),
                  count);
        ++reported;
    }
    return reported;
}

}  // namespace om
