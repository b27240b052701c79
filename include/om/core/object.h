// Identified, named base object of every persistent record.
#pragma once

#include <iosfwd>

#include <om/core/string.h>

namespace om {

class OmReaderObject;

// An object with an unsigned 32-bit id and a name. The id orders records in lists (see
// `OmListnode::Compare`) and links records to each other; 0 means "no id yet".
class OmObject {
  public:
    OmObject() = default;
    explicit OmObject(unsigned id) : id_(id) {}
    explicit OmObject(const String& name) : name_(name) {}
    OmObject(unsigned id, const String& name) : id_(id), name_(name) {}
    OmObject(const OmObject&) = default;
    OmObject& operator=(const OmObject&) = default;
    virtual ~OmObject();

    // -1 when `id` is smaller than the own id, +1 when larger, 0 when equal.
    virtual int Compare(unsigned int id) const;
    // `Compare(other->GetId())`; a null object compares as larger than any object.
    virtual int Compare(const OmObject* other) const;
    // Debugging hook; does nothing here.
    virtual void Dump();

    unsigned GetId() const { return id_; }
    void SetId(unsigned id) { id_ = id; }
    // Adds `offset` to the id (unsigned arithmetic, wraps modulo 2^32).
    void OffsetId(unsigned offset) { id_ += offset; }
    const String& GetName() const { return name_; }
    void SetName(const String& name) { name_ = name; }

    // Reads the id (integer token) and the name (string token); returns 1. Defined with the
    // text reader.
    int Read(OmReaderObject* reader);
    // Writes " <id in width 4> \"<name>\"" without a line end. Defined with the text writer.
    std::ostream& Write(std::ostream& out) const;

  private:
    unsigned id_ = 0;
    String name_;
};

}  // namespace om
