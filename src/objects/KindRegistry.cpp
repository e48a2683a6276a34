#include "objects/KindRegistry.h"

#include <array>
#include <functional>

#include "objects/ObjektAbsorber.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"

namespace {

struct KindEntry {
    const char* keyword;
    bool drawnWithMouse;
    std::function<std::unique_ptr<Tszeneobjekt>(int32_t, int32_t, int32_t, int32_t)> create;
};

template <class Kind>
KindEntry Straight(const char* keyword) {
    return {keyword, true, [](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
                return std::make_unique<Kind>(x1, y1, x2, y2);
            }};
}

// Every kind a scene file or the mouse can create, by its keyword.
const std::array<KindEntry, 5>& Kinds() {
    static const std::array<KindEntry, 5> kinds{{
        Straight<TObjektAbsorber>("absorber"),
        Straight<TObjektLambert>("lambert"),
        Straight<TObjektSpiegel>("spiegel"),
        Straight<TObjektParallel>("parallel"),
        {"sonne", false, [](int32_t, int32_t, int32_t, int32_t) { return std::make_unique<TObjektSonne>(); }},
    }};
    return kinds;
}

const KindEntry* Find(const std::string& keyword) {
    for (const auto& entry : Kinds())
        if (keyword == entry.keyword) return &entry;
    return nullptr;
}

}  // namespace

std::unique_ptr<Tszeneobjekt> CreateObjectOfKind(const std::string& keyword, int32_t x1, int32_t y1, int32_t x2,
                                                 int32_t y2) {
    const KindEntry* entry = Find(keyword);
    return entry ? entry->create(x1, y1, x2, y2) : nullptr;
}

bool IsDrawingKind(const std::string& keyword) {
    const KindEntry* entry = Find(keyword);
    return entry && entry->drawnWithMouse;
}
