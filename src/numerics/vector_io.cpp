// Text input and output of OmVector.
#include <om/numerics/vector.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

#include <om/log/dbgprintf.h>
#include <om/textio/reader.h>

#include "numerics/number_text.h"
#include "numerics/token_values.h"

namespace om {

OmVector::OmVector(OmReaderObject* reader) {
    Read(reader);
}

// The values go into a new vector first, so that an error part-way keeps the old contents.
int OmVector::Read(OmReaderObject* reader) {
    const int n = detail::TakeCount(*reader, kMaxReadSize);
    OmVector values(n);
    for (int i = 0; i < n; ++i) values.m_data[i] = detail::TakeNumber(*reader);
    *this = std::move(values);
    return 1;
}

void OmVector::Write(std::ostream& os) const {
    os << m_size;
    for (int i = 0; i < m_size; ++i) {
        os << ' ';
        detail::WriteNumber(os, m_data[i]);
    }
}

// "<title> e1   e2   ...    (norm)" as one debug line.
void OmVector::DbgPrintf(const char* title) const {
    std::string line = title ? title : "";
    line += ' ';
    char buffer[detail::kFixedTextSize];
    for (int i = 0; i < m_size; ++i) {
        std::snprintf(buffer, sizeof buffer, "%.7f   ", m_data[i]);
        line += buffer;
    }
    std::snprintf(buffer, sizeof buffer, " (%.7f)", Abs());
    line += buffer;
    dbgprintf("%s\n", line.c_str());
}

}  // namespace om
