#include "photo/inv_adjust_registry.h"

#include <memory>
#include <vector>

namespace om {

namespace {

// Owned tables, newest last. A project holds a handful of cameras, so a linear search over the
// keys is cheaper than hashing sixteen values on every lookup.
std::vector<std::unique_ptr<OmInvAdjustTable>>& Tables() {
    static std::vector<std::unique_ptr<OmInvAdjustTable>> tables;
    return tables;
}

}  // namespace

const OmInvAdjustTable* OmInvAdjustRegistry::Find(const OmInvAdjustKey& key) {
    for (const auto& table : Tables()) {
        if (table->Key() == key) return table.get();
    }
    return nullptr;
}

const OmInvAdjustTable& OmInvAdjustRegistry::Acquire(
    const OmInvAdjustKey& key, double halfWidth, const OmInvAdjustTable::AdjustFunction& adjust) {
    if (const OmInvAdjustTable* found = Find(key)) return *found;
    auto table = std::make_unique<OmInvAdjustTable>(key, halfWidth);
    table->Fill(adjust);
    Tables().push_back(std::move(table));
    return *Tables().back();
}

void OmInvAdjustRegistry::Clear() {
    Tables().clear();
}

std::size_t OmInvAdjustRegistry::Count() {
    return Tables().size();
}

}  // namespace om
