#include <om/platform/runtime_linker.h>

namespace om {

OmRuntimeLinker* OmRuntimeLinker::Instance() {
    static OmRuntimeLinker* const instance = new OmRuntimeLinker;
    return instance;
}

bool OmRuntimeLinker::Register(std::string const& name, Link const& link) {
    return links_.emplace(name, link).second;
}

bool OmRuntimeLinker::Remove(std::string const& name) {
    return links_.erase(name) != 0;
}

bool OmRuntimeLinker::Call(std::string const& name, OmRuntimeParameter& parameter) {
    auto const found = links_.find(name);
    if (found == links_.end()) return false;
    // Copied first: the callback may remove or replace its own entry.
    Link const link = found->second;
    link.Call(&parameter);
    return true;
}

}  // namespace om
