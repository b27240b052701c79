// Text input and output of OmVector.
#include <om/numerics/vector.h>

#include <cstdio>
#include <ostream>
#include <string>

#include <om/log/dbgprintf.h>

#include "numerics/number_text.h"

namespace om {

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
