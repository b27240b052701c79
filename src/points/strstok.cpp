#include <om/points/strstok.h>

#include <cstring>

namespace om {

char* OmSplitFields(OmFieldScan& scan, char* text, char const* delimiters, char quote) {
    if (text != nullptr) scan.next = text;
    char* p = scan.next;
    if (p == nullptr) return nullptr;
    if (delimiters == nullptr) delimiters = "";
    p += std::strspn(p, delimiters);
    if (*p == '\0') {
        scan.next = nullptr;
        return nullptr;
    }
    char* start = p;
    char* end = nullptr;
    if (quote != '\0' && *p == quote) {
        start = p + 1;
        end = std::strchr(start, quote);
    } else {
        end = p + std::strcspn(p, delimiters);
    }
    if (end == nullptr || *end == '\0') {
        // The field runs to the end of the text.
        scan.next = nullptr;
    } else {
        *end = '\0';
        scan.next = end + 1;
    }
    return start;
}

char* strstok(char* text, char const* delimiters, char quote) {
    static OmFieldScan scan;
    return OmSplitFields(scan, text, delimiters, quote);
}

}  // namespace om
