// Splitting a writable text line into fields, with quoted fields.
#pragma once

namespace om {

// The position of a field scan over a writable text, for OmSplitFields.
struct OmFieldScan {
    char* next = nullptr;
};

// Returns the next field of the text scanned by `scan` (a non-null text starts a new scan).
// Leading delimiters are skipped; a field that begins with the quote character runs to the next
// quote character (or the end of the text) and is returned without both quotes; any other field
// runs to the next delimiter. The character that ends a field is overwritten with NUL. Null
// when no field is left.
char* OmSplitFields(OmFieldScan& scan, char* text, char const* delimiters, char quote);

// The same with one scan position kept for the whole process (a null text continues the
// previous text), for callers that split one line at a time on one thread.
char* strstok(char* text, char const* delimiters, char quote);

}  // namespace om
