// Text input and output of OmMatrix.
#include <om/numerics/matrix.h>

#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

#include <om/log/dbgprintf.h>
#include <om/textio/reader.h>

#include "numerics/number_text.h"
#include "numerics/token_values.h"

namespace om {

// The values go into a new matrix first, so that an error part-way keeps the old contents. The
// element count is formed in 64 bits: 65536 x 65536 must not wrap to an empty matrix.
int OmMatrix::Read(OmReaderObject* reader) {
    const int rows = detail::TakeCount(*reader, kMaxReadSize);
    const int cols = detail::TakeCount(*reader, kMaxReadSize);
    if (static_cast<long long>(rows) * cols > kMaxReadSize) {
        detail::RaiseNotSpecified(reader->GetParser());
    }
    OmMatrix values(rows, cols);
    for (int i = 0; i < rows * cols; ++i) values.m_data[i] = detail::TakeNumber(*reader);
    *this = std::move(values);
    return 1;
}

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
