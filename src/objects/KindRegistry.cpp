// SPDX-License-Identifier: GPL-3.0-or-later
#include "objects/KindRegistry.h"

#include <array>

#include "objects/ObjektAbsorber.h"
#include "objects/ObjektAbsorberKreis.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektParallel.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"

namespace brevanto::objects {

using namespace model;

namespace {

template <class Kind>
std::unique_ptr<Tszeneobjekt> WithPoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return std::make_unique<Kind>(x1, y1, x2, y2);
}

template <class Kind>
std::unique_ptr<Tszeneobjekt> WithoutPoints(int32_t, int32_t, int32_t, int32_t) {
    return std::make_unique<Kind>();
}

// Listed by hand: a static library would drop kinds that registered
// themselves from files nothing else refers to.
constexpr std::array kKinds{
    KindEntry{"lambert", Placement::Straight, "Lambert-like emitter ", "LambertscherStrahler1",
              WithPoints<TObjektLambert>},
    KindEntry{"parallel", Placement::Straight, "Emitter of parallel light", "ParallelerStrahler1",
              WithPoints<TObjektParallel>},
    KindEntry{"spiegel", Placement::Straight, "Mirror / Diffusor ", "ReflektorAbsorber1", WithPoints<TObjektSpiegel>},
    KindEntry{"absorber", Placement::Straight, "Absorber", "Absorber1", WithPoints<TObjektAbsorber>},
    KindEntry{"lambertkreis", Placement::Circular, "Lambert-like emitter ", "LambertscherStrahler2",
              WithPoints<TObjektLambertKreis>},
    KindEntry{"spiegelkreis", Placement::Circular, "Mirror / Diffusor ", "SpiegelDiffusor1",
              WithPoints<TObjektSpiegelKreis>},
    KindEntry{"absorberkreis", Placement::Circular, "Absorber", "Absorber2", WithPoints<TObjektAbsorberKreis>},
    KindEntry{"sonne", Placement::FromMenu, "Sun", "Sonne1", WithoutPoints<TObjektSonne>, /*sweptDirection=*/true},
};

}  // namespace

std::span<const KindEntry> Kinds() { return kKinds; }

const KindEntry* FindKind(const std::string& keyword) {
    for (const KindEntry& entry : kKinds)
        if (keyword == entry.keyword) return &entry;
    return nullptr;
}

std::unique_ptr<Tszeneobjekt> CreateObjectOfKind(const std::string& keyword, int32_t x1, int32_t y1, int32_t x2,
                                                 int32_t y2) {
    const KindEntry* entry = FindKind(keyword);
    return entry ? entry->create(x1, y1, x2, y2) : nullptr;
}

std::unique_ptr<Tszeneobjekt> NewBackground() { return std::make_unique<TObjektHintergrund>(); }

}  // namespace brevanto::objects
