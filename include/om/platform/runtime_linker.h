// A registry of named callbacks: a part of the application registers a member function under a
// name, and any other part calls it by that name without knowing its class.
#pragma once

#include <om/core/link.h>
#include <om/platform/runtime_parameter.h>

#include <map>
#include <string>

namespace om {

class OmRuntimeLinker {
  public:
    // The process-wide registry, created on first use and never destroyed (callbacks may still
    // be called while static objects are torn down).
    static OmRuntimeLinker* Instance();

    // Stores link under name; false (and no change) when the name is already taken.
    bool Register(std::string const& name, Link const& link);
    // Removes the link of name; false when there is none.
    bool Remove(std::string const& name);
    // Calls the link of name with the address of parameter, when the link is set; false when no
    // link is registered under name.
    bool Call(std::string const& name, OmRuntimeParameter& parameter);

    OmRuntimeLinker(OmRuntimeLinker const&) = delete;
    OmRuntimeLinker& operator=(OmRuntimeLinker const&) = delete;

  private:
    OmRuntimeLinker() = default;
    ~OmRuntimeLinker() = default;

    std::map<std::string, Link> links_;
};

}  // namespace om
