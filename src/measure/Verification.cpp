#include "measure/Verification.h"

#include <memory>

#include "measure/EnergyBalance.h"
#include "model/LightMeter.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "radiation/SurfaceElements.h"

namespace {

constexpr int32_t kSize = 400;     // every scene's picture is kSize x kSize
constexpr float kStrength = 1.0f;  // every emitter's staerke

// A scene on its own picture at the resolution asked for, its objects added
// and numbered, its queries prepared. No case holds a mirror, so there is
// nothing to iterate.
class Scene {
public:
    Scene(int32_t sellaenge, int32_t richtungprosel) : settings(kSize, kSize, 0xFFFFFF) {
        settings.sellaenge = sellaenge;
        settings.richtungprosel = richtungprosel;
    }

    template <class Object>
    Object& Add(std::unique_ptr<Object> object) {
        Object& added = *object;
        list.Append(std::move(object));
        return added;
    }
    const SceneList& Prepared() {
        list.CleanAndNumber();
        list.PrepareQueries(settings);
        return list;
    }

    Tprgvar settings;
    SceneList list{NewBackground()};
};

VerificationCase Case(std::string name, std::string description, Extended computed, Extended exact, Extended scale,
                      Extended tolerance) {
    return {std::move(name), std::move(description), computed, exact, (computed - exact) / scale * 100, tolerance};
}

// Each value is a sum over surface elements of length e, every element
// standing for the piece of surface around its centre: a midpoint rule. For
// the kernels of the cosine law seen from distance D or more, h / (h^2 + x^2)
// (the angle an element covers) and h^2 / (h^2 + x^2)^(3/2) (its normal
// flux), the second derivative is at most 3 / D^2 times the kernel, so the
// rule errs by at most e^2 / 24 * 3 / D^2 = e^2 / (8 D^2) of the value. To
// that come 0.05 % for the 32-bit sums and the whole-pixel ends of the
// occlusion tests.
Extended ElementTolerance(Extended elementLength, Extended distance) {
    return 100 * elementLength * elementLength / (8 * distance * distance) + 0.05;
}

// The element length the straight rule gives a segment of this length.
Extended StraightElement(int32_t length, int32_t sellaenge) {
    return StraightElementLength(static_cast<float>(length),
                                 StraightElementCount(static_cast<float>(length), sellaenge));
}

// Inside a frame glowing with S all round, the radiance is S/2 in every
// direction (a Lambert face of exitance S has radiance S/2 in two
// dimensions), so E = 2 pi S/2 = pi S, and F = 0 at the centre by symmetry.
void GlowingFrame(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    Scene scene(sellaenge, richtungprosel);
    static_cast<TObjektHintergrund&>(scene.list.Head()).staerke = kStrength;
    const platform::Measurement m = MeasureLight(scene.Prepared(), kSize / 2, kSize / 2);
    const Extended energy = kPi * kStrength;
    const Extended tolerance = ElementTolerance(StraightElement(kSize, sellaenge), kSize / 2);
    cases.push_back(
        Case("frame-energy-density", "E in the middle of a glowing frame (pi S)", m.energy, energy, energy, tolerance));
    cases.push_back(
        Case("frame-flow-density", "|F| in the middle of a glowing frame (0)", m.magnitude, 0, energy, tolerance));
}

// A straight emitter of length 2a seen from its bisector at distance h under
// the half angle beta = atan(a / h): E = S/2 * 2 beta and
// |F| = S/2 * integral of cos over [-beta, beta] = S sin beta.
void StraightEmitter(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kHalf = 100, kDistance = 100, kLine = kSize / 2 + kDistance / 2;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambert>(kSize / 2 - kHalf, kLine, kSize / 2 + kHalf, kLine)).staerke = kStrength;
    const platform::Measurement m = MeasureLight(scene.Prepared(), kSize / 2, kLine - kDistance);
    const Extended beta = std::atan(static_cast<Extended>(kHalf) / kDistance);
    const Extended flow = kStrength * std::sin(beta), energy = kStrength * beta;
    const Extended tolerance = ElementTolerance(StraightElement(2 * kHalf, sellaenge), kDistance);
    cases.push_back(Case("emitter-flow-density", "|F| on the bisector of a straight emitter (S sin beta)", m.magnitude,
                         flow, flow, tolerance));
    cases.push_back(Case("emitter-energy-density", "E on the bisector of a straight emitter (S beta)", m.energy, energy,
                         energy, tolerance));
}

// Two parallel strips of width w facing each other at distance d: by
// Hottel's crossed strings the view factor is (crossed - uncrossed) / 2w =
// (sqrt(w^2 + d^2) - d) / w, so the emitter's face (S w) sends S w F to the
// absorber, as the energy balance measures what the absorber receives. Its
// probes are whole pixels, each up to half a pixel off its element's centre;
// over the strip this moves the sum by at most half a pixel times the total
// variation of the flux density f (twice its rise from an end to the middle),
// less than one pixel's worth of the largest f: 100 f_max / (w f_mean) percent
// on top of the elements' own error.
void ParallelStrips(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kWidth = 200, kGap = 100, kLeft = (kSize - kWidth) / 2, kTop = (kSize - kGap) / 2;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambert>(kLeft, kTop, kLeft + kWidth, kTop)).staerke = kStrength;
    const Tszeneobjekt& absorber =
        scene.Add(std::make_unique<TObjektAbsorber>(kLeft, kTop + kGap, kLeft + kWidth, kTop + kGap));
    const EnergyBalance balance = BalanceOf(scene.Prepared(), scene.settings);
    const Extended w = kWidth, d = kGap;
    const Extended exchanged = kStrength * w * (std::sqrt(w * w + d * d) - d) / w;
    // In the middle of the absorber the emitter is seen under the half angle atan(w / 2d).
    const Extended largest = kStrength * std::sin(std::atan(w / 2 / d));
    const Extended tolerance = ElementTolerance(StraightElement(kWidth, sellaenge), d) + 100 * largest / exchanged;
    cases.push_back(Case("strips-exchanged-power", "Power between two facing strips (crossed strings)",
                         balance.objects[static_cast<size_t>(absorber.number - 1)].received, exchanged, exchanged,
                         tolerance));
}

// Outside a full circle glowing with S, all light leaves radially and no
// element hides another's light from a point further out: the flux 2 pi R S
// spreads over the circle of radius rho, |F| = S R / rho.
void CircularEmitter(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kRadius = 50, kDistance = 150;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambertKreis>(kSize / 2, kSize / 2, kSize / 2 + kRadius, kSize / 2)).staerke =
        kStrength;
    const platform::Measurement m = MeasureLight(scene.Prepared(), kSize / 2 + kDistance, kSize / 2);
    const Extended flow = kStrength * kRadius / static_cast<Extended>(kDistance);
    const int32_t count = ArcElementCount(360, kRadius, sellaenge, richtungprosel);
    const Extended tolerance = ElementTolerance(ArcElementLength(360, kRadius, count), kDistance - kRadius);
    cases.push_back(
        Case("circle-flow-density", "|F| outside a glowing circle (S R / rho)", m.magnitude, flow, flow, tolerance));
}

}  // namespace

std::vector<VerificationCase> Verify(int32_t sellaenge, int32_t richtungprosel) {
    std::vector<VerificationCase> cases;
    GlowingFrame(sellaenge, richtungprosel, cases);
    StraightEmitter(sellaenge, richtungprosel, cases);
    ParallelStrips(sellaenge, richtungprosel, cases);
    CircularEmitter(sellaenge, richtungprosel, cases);
    return cases;
}
