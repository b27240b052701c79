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
    ReadFileFormatFull(file);
    if (Count() == before) ReadFileFormatSimple(file);
    TestForMultipleCameras();
    return 1;
}

int OmCameraList::ReadFileFormatFull(const char* file) {
    if (file == nullptr || !OmExistFile(String(file))) return 0;
    OmReader reader(file);
    reader.RegisterObject(OmReaderObject("CAMERA", Link(this, &OmCameraList::OnCameraBlock)));
    reader.DoProcess(false);
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
    reader.RegisterObject(OmReaderObject(Link(this, &OmCameraList::OnSimpleLine)));
    reader.DoProcess(false);
    return 1;
}

long OmCameraList::OnSimpleLine(void* reader) {
    return ReadFormatSimple(static_cast<OmReaderObject*>(reader));
}

// The catch-all object sees every token that is not a keyword. A camera line starts with its
// block brace; any other stray token is passed over.
int OmCameraList::ReadFormatSimple(OmReaderObject* reader) {
    OmParser* parser = reader->GetReader()->GetParser();
    if (parser->GetToken().GetType() != OmTokenBlockBegin) return 1;
    reader->NextToken();
    Add(new OmCamera(reader, false));
    return 1;
}

}  // namespace om
