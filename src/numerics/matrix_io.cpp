// Text input and output of OmMatrix.
#include <om/numerics/matrix.h>

#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <string>

#include <om/log/dbgprintf.h>

#include "numerics/number_text.h"

namespace om {

void OmMatrix::Write(std::ostream& os) const {
    os << m_rows << ' ' << m_cols;
    for (int i = 0; i < m_rows * m_cols; ++i) {
        os << ' ';
        detail::WriteNumber(os, m_data[i]);
    }
}

void OmMatrix::DbgPrintf() const {
    char buffer[detail::kFixedTextSize];
    for (int i = 0; i < m_rows; ++i) {
        std::string line;
        for (int j = 0; j < m_cols; ++j) {
            std::snprintf(buffer, sizeof buffer, "%11.7f ", m_data[i * m_cols + j]);
            line += buffer;
        }
        dbgprintf("%s\n", line.c_str());
    }
}

void OmMatrix::DbgPrintf(const char* fmt, ...) const {
    char title[kDbgprintfMaxLength + 1];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(title, sizeof title, fmt, args);
    va_end(args);
    dbgprintf("%s\n", title);
    DbgPrintf();
}

}  // namespace om
