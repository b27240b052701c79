// Text input and output of OmVector.
#include <om/numerics/vector.h>

#include <ostream>

#include "numerics/number_text.h"

namespace om {

void OmVector::Write(std::ostream& os) const {
    os << m_size;
    for (int i = 0; i < m_size; ++i) {
        os << ' ';
        detail::WriteNumber(os, m_data[i]);
    }
}

}  // namespace om
