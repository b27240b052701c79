// Writing a reader's recorded errors to the application log.
#include <om/textio/reader.h>

#include <om/log/application_logger.h>

namespace om {

void OmReader::LogErrorsToApplicationLogger() const {
    if (errors_.IsEmpty()) return;
    // Ready text goes to the logger as text, never as a format.
    wchar_t message[kMessageSize];
    FormatErrorHeader(message, kMessageSize);
    OmApplicationLogger::LogText(2, message);
    for (OmReaderError* e = errors_.First(); e != nullptr; e = e->Next()) {
        FormatError(*e, message, kMessageSize);
        OmApplicationLogger::LogText(2, message);
    }
}

}  // namespace om
