// The project's cameras and the camera files.
//
// Three layouts are written and read:
//   - the simple file: a comment header, then one block line per camera
//     "{ id c xh yh a1 a2 r0 "name"}" (no mode; every camera reads back as mode 0);
//   - the keyword file ("General Purpose Camera File"): a comment header, then one
//     "CAMERA { ID .. NAME .. MD .. C .. }" block per camera with every parameter;
//   - the bundle-program line: id, |c|, xh, yh, a1, a2, r0 in fixed columns (write only).
// Reading tries the keyword layout first and falls back to the simple one when it finds no
// camera block.
#pragma once

#include <iosfwd>

#include <om/core/list_header.h>
#include <om/core/string.h>
#include <om/photo/camera.h>

namespace om {

class OmReaderObject;

class OmCameraList : public TOmListHeader<OmCamera>, public LinkHdl {
  public:
    OmCameraList() = default;
    // Reads the file (see Read).
    explicit OmCameraList(const char* file);
    ~OmCameraList() override = default;

    // Creates a camera from the reader (full: the keyword block, else the simple line) and
    // appends it; returns what Add returns.
    OmCamera* AddCamera(OmReaderObject* reader, bool full);

    // Keyword layout first; when that adds no camera, the simple layout; then the check for
    // repeated identifiers. Returns 1, or 0 for a null name or a file that does not exist
    // (problems inside the file are the reader's recorded errors).
    int Read(const char* file);
    // 0 for a null name or a missing file; else reads every "CAMERA" block and returns 1.
    int ReadFileFormatFull(const char* file);
    int ReadFormatFull(OmReaderObject* reader);
    // Reads every block line of a simple file; returns 1.
    int ReadFileFormatSimple(const char* file);
    int ReadFormatSimple(OmReaderObject* reader);

    // kavro: bundle-program lines; otherwise the simple file when every camera is mode 0, else
    // the keyword file. 1 on success, 0 when the file cannot be opened or written.
    int WriteFile(const String& file, bool kavro);
    // kavro: one bundle-program line per camera; else the simple header and lines.
    std::ostream& WriteFile(std::ostream& out, bool kavro);
    // The keyword file; 1 on success, 0 when the file cannot be opened or written.
    int WriteFileFormatFull(const String& file);
    std::ostream& WriteFileFormatFull(std::ostream& out);
    std::ostream& WriteSimpleHeaderComment(std::ostream& out);
    std::ostream& WriteSimpleFormat(std::ostream& out);

    // True when every camera has mode 0 (also for an empty list).
    bool ContainsOnlyKavroCams() const;
    // Every identifier held by 3 or more cameras, in ascending order, is reported with a beep
    // and a debug line; returns the number of such identifiers. Nothing is removed.
    int TestForMultipleCameras();

  private:
    long OnCameraBlock(void* reader);
    long OnSimpleLine(void* reader);
    long OnParserError(void* reader);
};

}  // namespace om
