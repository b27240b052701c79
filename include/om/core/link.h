// Member-function callbacks: an object and one of its methods taking a pointer argument.
#pragma once

#include <type_traits>

namespace om {

// Empty base of every class whose member functions are called back through a `Link`.
class LinkHdl {};

// A callback made of an object and a pointer to one of its member functions `long f(void*)`.
// A link is set when both parts are non-null.
class Link {
  public:
    using Method = long (LinkHdl::*)(void*);

    Link() = default;
    Link(LinkHdl* object, Method method) : object_(object), method_(method) {}
    // Binds a method of a class derived from `LinkHdl` (declared in C or one of its bases)
    // without casts at the call site.
    template <class C, class B>
    requires std::is_base_of_v<B, C> && std::is_base_of_v<LinkHdl, B> Link(C* object,
                                                                           long (B::*method)(void*))
        : object_(static_cast<B*>(object)), method_(static_cast<Method>(method)) {}
    Link(const Link&) = default;
    Link& operator=(const Link&) = default;
    virtual ~Link() = default;

    // The method's result on the object when the link is set, 0 otherwise.
    long Call(void* arg) const { return IsSet() ? (object_->*method_)(arg) : 0; }
    bool IsSet() const { return object_ != nullptr && method_ != nullptr; }
    bool operator!() const { return !IsSet(); }

    LinkHdl* GetObject() const { return object_; }
    Method GetMethod() const { return method_; }

  private:
    LinkHdl* object_ = nullptr;
    Method method_ = nullptr;
};

}  // namespace om
