// Reading camera files into a camera list.
#include <om/photo/camera_list.h>

#include <om/platform/file_name.h>
#include <om/textio/parser.h>
#include <om/textio/reader.h>

namespace om {

OmCameraList::OmCameraList(const char* file) {
    Read(file);
}

OmCamera* OmCameraList::AddCamera(OmReaderObject* reader, bool full) {
    return Add(new OmCamera(reader, full));
}

int OmCameraList::Read(const char* file) {
    const int before = Count();
    // A missing file is reported, not passed off as a read that found no camera.
    if (ReadFileFormatFull(file) == 0) return 0;
    if (Count() == before) ReadFileFormatSimple(file);
    TestForMultipleCameras();
    return 1;
}

int OmCameraList::ReadFileFormatFull(const char* file) {
    if (file == nullptr || !OmExistFile(String(file))) return 0;
    OmReader reader(file);
    OmReaderObject block("CAMERA", Link(this, &OmCameraList::OnCameraBlock));
    reader.RegisterObject(block);
    reader.SetParserErrorHdl(Link(this, &OmCameraList::OnParserError));
    reader.DoProcess(true);
    return 1;
}

long OmCameraList::OnCameraBlock(void* reader) {
    return ReadFormatFull(static_cast<OmReaderObject*>(reader));
}

int OmCameraList::ReadFormatFull(OmReaderObject* reader) {
    Add(new OmCamera(reader, true));
    return 1;
}

int OmCameraList::ReadFileFormatSimple(const char* file) {
    if (file == nullptr) return 0;
    OmReader reader(file);
    OmReaderObject line(Link(this, &OmCameraList::OnSimpleLine));
    reader.RegisterObject(line);
    reader.SetParserErrorHdl(Link(this, &OmCameraList::OnParserError));
    reader.DoProcess(true);
    return 1;
}

long OmCameraList::OnSimpleLine(void* reader) {
    return ReadFormatSimple(static_cast<OmReaderObject*>(reader));
}

// A malformed camera is recorded by the reader and dropped, and reading goes on with the next
// one; a stray block end is passed over for the same reason. Only a failed stream (which would
// fail again at once) ends the reading.
long OmCameraList::OnParserError(void* reader) {
    const OmParserStatus& status = static_cast<OmReader*>(reader)->GetParser().GetStatus();
    return status.GetStatus() == ParserErrorStream ? 0 : 1;
}

// The catch-all object sees every token that is not a keyword. A camera line starts with its
// block brace; any other stray token is passed over.
int OmCameraList::ReadFormatSimple(OmReaderObject* reader) {
    OmParser& parser = reader->GetParser();
    // The end of the input is raised as such, which ends the reading.
    if (parser.GetToken().GetType() == OmTokenEOF) parser.GetToken(OmTokenBlockBegin);
    if (parser.GetToken().GetType() != OmTokenBlockBegin) return 1;
    reader->NextToken();
    Add(new OmCamera(reader, false));
    return 1;
}

}  // namespace om
