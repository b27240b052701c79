// The kinds of project files, told by their extension and, where the extension
// alone is not trusted, by the kind of their first token.
#pragma once

namespace om {

enum eOmriFiletype {
    OmFileProject = 0,            // "pro"
    OmFileCoordinates = 1,        // "coo"
    OmFileCoordinates2 = 2,       // "coo2"
    OmFileOrientation = 3,        // "aor"
    OmFileSip = 4,                // "sip"
    OmFileImageMeasure = 5,       // "imo"
    OmFileAob = 6,                // "aob"
    OmFileLog = 7,                // "log"
    OmFileMeasureLog = 8,         // "mlg"
    OmFileReseau = 9,             // "res"
    OmFileDigitalReseau = 10,     // "dres"
    OmFileAutoImageMeasure = 11,  // "atimo"
    OmFileAutoPoints = 12,        // "autopt"
    OmFileCorrelation = 13,       // "korrel"
    OmFileHdImageMeasure = 14,    // "hdimo"
    OmFilePly = 15,               // "ply"
    OmFilePts = 16,               // "pts"
    OmFilePointCloud = 17,        // "omptc"
    OmFileDwg = 18,               // "dwg"
    OmFileDxf = 19,               // "dxf"
    OmFileGsi = 20,               // "gsi"
    OmFileZip = 21,               // "zip"
    OmFileXml = 22,               // "xml"
    OmFileTxt = 23,               // "txt"
    OmFileCsv = 24,               // "csv"
    OmFileUnknown = 25,           // not recognised (empty extension text)
};

// Number of entries in the extension tables, the "not recognised" entry
// included.
inline constexpr int kOmriFiletypeCount = 26;

// The extension text of a type (without a dot); the empty text for
// OmFileUnknown and for values outside the table.
char const* GetOmExtensionA(eOmriFiletype type);
wchar_t const* GetOmExtensionW(eOmriFiletype type);

// Detects the type of a file at construction: first from its extension
// (case-insensitive), then, for the types whose content is checked, from the
// kind of the file's first token. A file whose extension is known but whose
// content does not fit is validated as OmFileUnknown; an empty file keeps its
// extension type. Some known extensions are never validated (log files,
// drawings, archives).
class OmDetectOmriFiles {
  public:
    explicit OmDetectOmriFiles(char const* path);  // UTF-8
    explicit OmDetectOmriFiles(wchar_t const* path);
    virtual ~OmDetectOmriFiles() = default;

    // The type found from the extension.
    eOmriFiletype DetectByExtension() const { return by_extension_; }
    // The type after checking the content.
    eOmriFiletype IsValidOmriFile() const { return validated_; }

  private:
    void Detect(char const* path);

    eOmriFiletype by_extension_ = OmFileUnknown;
    eOmriFiletype validated_ = OmFileUnknown;
};

}  // namespace om
