// Text input and output of OmMatrix.
#include <om/numerics/matrix.h>

#include <ostream>

#include "numerics/number_text.h"

namespace om {

void OmMatrix::Write(std::ostream& os) const {
    os << m_rows << ' ' << m_cols;
    for (int i = 0; i < m_rows * m_cols; ++i) {
        os << ' ';
        detail::WriteNumber(os, m_data[i]);
    }
}

}  // namespace om
