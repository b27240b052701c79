// The argument record of a call through the named-callback registry (OmRuntimeLinker): a
// parameter going in and a return value coming back, both untyped. Caller and callee agree on
// what they point to; a derived record may own them and free them in its Destroy functions.
#pragma once

namespace om {

class OmRuntimeParameter {
  public:
    OmRuntimeParameter() = default;
    OmRuntimeParameter(OmRuntimeParameter const&) = default;  // copies both pointers
    OmRuntimeParameter& operator=(OmRuntimeParameter const&) = default;
    virtual ~OmRuntimeParameter() = default;

    virtual void SetParameter(void* parameter) { parameter_ = parameter; }
    virtual void SetReturnvalue(void* value) { return_value_ = value; }
    // Hooks for derived records that own what the pointers point to; nothing to free here.
    virtual void DestroyParameter() {}
    virtual void DestroyReturnvalue() {}

    void* GetParameter() const { return parameter_; }
    void* GetReturnvalue() const { return return_value_; }

  private:
    void* parameter_ = nullptr;
    void* return_value_ = nullptr;
};

}  // namespace om
