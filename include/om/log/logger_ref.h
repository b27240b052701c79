// A list element that refers to an attached logger.
#pragma once

#include <om/core/listnode.h>
#include <om/log/logger.h>

namespace om {

// The master logger keeps its attached loggers as a list of these references; the logger
// itself is not owned.
class OmLoggerRef : public OmListnode {
  public:
    explicit OmLoggerRef(OmLogger* logger = nullptr) : m_pLogger(logger) {}
    OmLoggerRef(OmLoggerRef const& other) : OmListnode(other), m_pLogger(other.m_pLogger) {}
    OmLoggerRef& operator=(OmLoggerRef const& other) {
        OmListnode::operator=(other);
        m_pLogger = other.m_pLogger;
        return *this;
    }

    OmLogger* GetLogger() const { return m_pLogger; }

  private:
    OmLogger* m_pLogger;
};

}  // namespace om
