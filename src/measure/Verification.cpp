// SPDX-License-Identifier: GPL-3.0-or-later
#include "measure/Verification.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "measure/EnergyBalance.h"
#include "measure/LineReading.h"
#include "model/LightMeter.h"
#include "objects/KindRegistry.h"
#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektLambertKreis.h"
#include "objects/ObjektSonne.h"
#include "objects/ObjektSpiegel.h"
#include "objects/ObjektSpiegelKreis.h"
#include "platform/HeadlessPlatform.h"
#include "radiation/ArcElements.h"
#include "radiation/Calculation.h"
#include "radiation/SurfaceElements.h"

namespace brevanto::measure {

using namespace model;
using namespace radiation;
using namespace objects;

namespace {

constexpr int32_t kSize = 400;     // every scene's picture is kSize x kSize
constexpr float kStrength = 1.0f;  // every emitter's staerke

// A scene on its own picture at the resolution asked for, its objects added
// and numbered, then computed as the program computes any scene: the mirrors'
// radiation balanced, the queries prepared.
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
    const SceneList& Computed() {
        list.CleanAndNumber();
        platform::HeadlessPlatform headless;
        platform::HeadlessWindow window(kSize, kSize);
        Calculate(list, settings, window, headless.Progress());
        return list;
    }

    Tprgvar settings;
    SceneList list{NewBackground()};
};

VerificationCase Case(std::string name, std::string description, double computed, double exact, double scale,
                      double tolerance) {
    return {std::move(name), std::move(description), computed, exact, (computed - exact) / scale * 100, tolerance};
}

// Directions in degrees; the difference is the turn between them, the
// shorter way round, in percent of a radian.
VerificationCase DirectionCase(std::string name, std::string description, double computed, double exact,
                               double tolerance) {
    const double turn = std::remainder(computed - exact, 360) * kPi / 180;
    return {std::move(name), std::move(description), computed, exact, turn * 100, tolerance};
}

// Each value is a sum over surface elements of length e, every element
// standing for the piece of surface around its centre: a midpoint rule. For
// the kernels of the cosine law seen from distance D or more, h / (h^2 + x^2)
// (the angle an element covers) and h^2 / (h^2 + x^2)^(3/2) (its normal
// flux), the second derivative is at most 3 / D^2 times the kernel, so the
// rule errs by at most e^2 / 24 * 3 / D^2 = e^2 / (8 D^2) of the value, in
// percent:
double MidpointError(double elementLength, double distance) {
    return 100 * elementLength * elementLength / (8 * distance * distance);
}

// Percent for the 32-bit sums and the whole-pixel ends of the occlusion tests.
constexpr double kRounding = 0.05;

double ElementTolerance(double elementLength, double distance) {
    return MidpointError(elementLength, distance) + kRounding;
}

// An error vector dF turns F by at most |dF| / |F| radians. The vector kernel
// h (x, h) / (h^2 + x^2)^(3/2) too has a second derivative of at most 3 / D^2
// times its length, and the lengths sum to E: |dF| is at most the elements'
// midpoint error of E, so the turn at most that error times E / |F|.
double DirectionTolerance(double midpointError, double energy, double flow) {
    return midpointError * energy / flow + kRounding;
}

// The element length the straight rule gives a segment of this length.
double StraightElement(int32_t length, int32_t sellaenge) {
    return StraightElementLength(static_cast<float>(length),
                                 StraightElementCount(static_cast<float>(length), sellaenge));
}

// Inside a frame glowing with S all round, the radiance is S/2 in every
// direction (a Lambert face of exitance S has radiance S/2 in two
// dimensions), so E = 2 pi S/2 = pi S, and F = 0 at the centre by symmetry.
void GlowingFrame(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    Scene scene(sellaenge, richtungprosel);
    static_cast<TObjektHintergrund&>(scene.list.Head()).staerke = kStrength;
    constexpr int32_t kMiddle = kSize / 2;  // as far from every side of the frame
    const platform::Measurement m = MeasureLight(scene.Computed(), kMiddle, kMiddle);
    const double energy = kPi * kStrength;
    const double tolerance = ElementTolerance(StraightElement(kSize, sellaenge), kMiddle);
    cases.push_back(
        Case("frame-energy-density", "E in the middle of a glowing frame (pi S)", m.energy, energy, energy, tolerance));
    cases.push_back(
        Case("frame-flow-density", "|F| in the middle of a glowing frame (0)", m.magnitude, 0, energy, tolerance));
}

// The light of a straight emitter at the distance h from a point, its ends at
// u1 < u2 along its line from the point's foot. The piece du at u, at the
// distance r = sqrt(u^2 + h^2), sends S/2 du h / r^2 along (-u, h) / r, away
// from the line; so E = S/2 (atan(u2 / h) - atan(u1 / h)) and F, along the
// line and away from it, S/2 (h (1/r2 - 1/r1), u2/r2 - u1/r1).
struct StripLight {
    double energy;
    double along;
    double away;
};

StripLight StraightEmitterLight(double strength, double h, double u1, double u2) {
    const double r1 = std::hypot(u1, h), r2 = std::hypot(u2, h), half = strength / 2;
    return {half * (std::atan(u2 / h) - std::atan(u1 / h)), half * h * (1 / r2 - 1 / r1), half * (u2 / r2 - u1 / r1)};
}

// A straight emitter of length 2a = 200 along x, the points h = 100 from it.
// On its bisector, seen under the half angle beta = atan(a / h), E = S beta
// and |F| = S sin beta; beside it, on its other face, F leans away from the
// nearer end.
void StraightEmitter(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kHalf = 100, kDistance = 100, kLine = kSize / 2 + kDistance / 2;
    constexpr int32_t kLeft = kSize / 2 - kHalf, kRight = kSize / 2 + kHalf, kAbove = kLine - kDistance;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambert>(kLeft, kLine, kRight, kLine)).staerke = kStrength;
    const SceneList& list = scene.Computed();
    const double midpoint = MidpointError(StraightElement(2 * kHalf, sellaenge), kDistance);
    const double tolerance = midpoint + kRounding;

    const platform::Measurement middle = MeasureLight(list, kSize / 2, kAbove);
    const StripLight bisector = StraightEmitterLight(kStrength, kDistance, -kHalf, kHalf);
    cases.push_back(Case("emitter-flow-density", "|F| on the bisector of a straight emitter (S sin beta)",
                         middle.magnitude, bisector.away, bisector.away, tolerance));
    cases.push_back(Case("emitter-energy-density", "E on the bisector of a straight emitter (S beta)", middle.energy,
                         bisector.energy, bisector.energy, tolerance));

    constexpr int32_t kBeside = kSize / 2 + kHalf / 2;
    const platform::Measurement beside = MeasureLight(list, kBeside, kLine + kDistance);
    const StripLight exact = StraightEmitterLight(kStrength, kDistance, kLeft - kBeside, kRight - kBeside);
    // Window y grows downward: away from the line, below it, is +y.
    cases.push_back(DirectionCase("emitter-flow-direction", "Direction of F below a straight emitter, off its bisector",
                                  beside.direction, TravelDirection(exact.along, exact.away),
                                  DirectionTolerance(midpoint, exact.energy, std::hypot(exact.along, exact.away))));
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
    const SceneList& list = scene.Computed();
    const EnergyBalance balance = BalanceOf(list, scene.settings);
    const double w = kWidth, d = kGap;
    const double exchanged = kStrength * w * (std::sqrt(w * w + d * d) - d) / w;
    // In the middle of the absorber the emitter is seen under the half angle atan(w / 2d).
    const double largest = kStrength * std::sin(std::atan(w / 2 / d));
    const double tolerance = ElementTolerance(StraightElement(kWidth, sellaenge), d) + 100 * largest / exchanged;
    cases.push_back(Case("strips-exchanged-power", "Power between two facing strips (crossed strings)",
                         balance.objects[static_cast<size_t>(absorber.number - 1)].received, exchanged, exchanged,
                         tolerance));
    // Just behind the absorber's middle its ends lie far outside the
    // emitter's: no light at all, compared with what would arrive unshaded.
    constexpr int32_t kBehind = 10, kMiddle = kSize / 2;
    const platform::Measurement shade = MeasureLight(list, kMiddle, kTop + kGap + kBehind);
    const double unshaded =
        StraightEmitterLight(kStrength, kGap + kBehind, kLeft - kMiddle, kLeft + kWidth - kMiddle).energy;
    cases.push_back(Case("strips-shadow-energy-density", "E just behind the absorber, in its full shadow (0)",
                         shade.energy, 0, unshaded, kRounding));
}

// Outside a full circle glowing with S, all light leaves radially and no
// element hides another's light from a point further out: the flux 2 pi R S
// spreads over the circle of radius rho, |F| = S R / rho, travelling away
// from the centre. The point sees the arc of half angle asin(R / rho), each
// piece with S/2 times the angle it covers: E = S asin(R / rho).
void CircularEmitter(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    // The point lies at rho = 150 from the centre, at (90, 120) up and right of it.
    constexpr int32_t kRadius = 50, kDistance = 150, kRight = 90, kUp = 120;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambertKreis>(kSize / 2, kSize / 2, kSize / 2 + kRadius, kSize / 2)).staerke =
        kStrength;
    const platform::Measurement m = MeasureLight(scene.Computed(), kSize / 2 + kRight, kSize / 2 - kUp);
    const double flow = kStrength * kRadius / static_cast<double>(kDistance);
    const double energy = kStrength * std::asin(kRadius / static_cast<double>(kDistance));
    const int32_t count = ArcElementCount(360, kRadius, sellaenge, richtungprosel);
    const double midpoint = MidpointError(ArcElementLength(360, kRadius, count), kDistance - kRadius);
    const double tolerance = midpoint + kRounding;
    cases.push_back(
        Case("circle-flow-density", "|F| outside a glowing circle (S R / rho)", m.magnitude, flow, flow, tolerance));
    cases.push_back(DirectionCase("circle-flow-direction", "Direction of F outside a glowing circle (away from it)",
                                  m.direction, TravelDirection(kRight, -kUp),
                                  DirectionTolerance(midpoint, energy, flow)));
}

// At the centre of a half circle glowing with S, every piece of it is seen
// face on at the distance R and sends S/2 times the angle it covers along its
// normal: E = pi S / 2, and F = S/2 times the normals summed over the half
// turn, |F| = S, travelling from the arc's middle through the centre. The
// inner face shines here, the outer one in the circle's case.
void GlowingArc(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kRadius = 50;
    Scene scene(sellaenge, richtungprosel);
    auto& arc = scene.Add(std::make_unique<TObjektLambertKreis>(kSize / 2, kSize / 2, kSize / 2 + kRadius, kSize / 2));
    arc.staerke = kStrength;
    // Clockwise from straight up on the screen: the lower half.
    arc.winkel1 = 90;
    arc.winkel2 = 270;
    const platform::Measurement m = MeasureLight(scene.Computed(), kSize / 2, kSize / 2);
    const double flow = kStrength, energy = kPi / 2 * kStrength;
    const int32_t count = ArcElementCount(180, kRadius, sellaenge, richtungprosel);
    const double midpoint = MidpointError(ArcElementLength(180, kRadius, count), kRadius);
    const double tolerance = midpoint + kRounding;
    cases.push_back(
        Case("arc-flow-density", "|F| at the centre of a glowing half circle (S)", m.magnitude, flow, flow, tolerance));
    cases.push_back(DirectionCase("arc-flow-direction", "Direction of F at the centre of a glowing half circle (up)",
                                  m.direction, 90, DirectionTolerance(midpoint, energy, flow)));
}

// The sun stands atan(1/2) from straight above: its light moves 1 pixel left
// for every 2 down. It shines through a gap 100 pixels wide in an absorbing
// wall onto a measuring line 100 pixels below it, where it arrives 50 pixels
// further left: the power crossing the line is what falls into the gap,
// S cos per pixel of it, 100 S cos in all. Every sample (the middle of a
// 2-pixel piece, an odd x) sends its path through the wall at an odd x, a
// pixel or more from the gap's ends, to an entry point on the border at
// whole pixels: each is lit or shaded with no part of a pixel in between, and
// only the 32-bit sums are left: kRounding.
void SunThroughGap(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kWall = 200, kGapLeft = 150, kGapRight = 250, kDrop = 100, kLine = kWall + kDrop;
    constexpr int32_t kLineEnd = 200, kShift = kDrop / 2;
    const double angle = std::atan2(1, 2);
    Scene scene(sellaenge, richtungprosel);
    TObjektSonne& sun = scene.Add(std::make_unique<TObjektSonne>());
    sun.richtung = static_cast<float>(angle * 180 / kPi);
    sun.staerke = kStrength;
    scene.Add(std::make_unique<TObjektAbsorber>(0, kWall, kGapLeft, kWall));
    scene.Add(std::make_unique<TObjektAbsorber>(kGapRight, kWall, kSize, kWall));
    const SceneList& list = scene.Computed();
    // Along +x the right of the line, on the screen, is below it.
    const LineReading line = MeasureAlong(list, {0, kLine, kLineEnd, kLine, kLineEnd / 2}, [] {});
    const double power = (kGapRight - kGapLeft) * kStrength * std::cos(angle);
    cases.push_back(Case("sun-gap-power", "Sunlight through a gap in a wall, across a line below (S w cos)",
                         line.powerPlus - line.powerMinus, power, power, kRounding));
    // Lit through the middle of the gap.
    const platform::Measurement lit = MeasureLight(list, (kGapLeft + kGapRight) / 2 + 1 - kShift, kLine);
    cases.push_back(DirectionCase("sun-gap-direction", "Direction of the sunlight through the gap (270 - richtung)",
                                  lit.direction, 270 - sun.richtung, kRounding));
}

// A mirror along x that reflects all light directly makes of the sun an image
// sun: the beam (fx, fy) comes back as (fx, -fy). Above the mirror, where
// both reach, E = 2 S and F = (2 fx, 0) travels straight left. A straight
// mirror sends reflected light in the middle direction of a direction bin;
// the sun is set so that its light travels in the middle of the bin b near
// 240 degrees, (b + 1/2) 360 / R, and the image's direction is a bin's middle
// too (with an even R). The point sees every direction of that bin on the
// mirror, so the elements' shares of it add up to the whole beam, and only
// the 32-bit sums are left: kRounding. Other directions come back up to half a
// bin, 180 / R degrees, off.
void MirrorImage(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kMirror = 300, kMirrorEnd = 20, kAbove = 150;
    Scene scene(sellaenge, richtungprosel);
    TObjektSpiegel& mirror =
        scene.Add(std::make_unique<TObjektSpiegel>(kMirrorEnd, kMirror, kSize - kMirrorEnd, kMirror));
    mirror.dirref = 100;
    TObjektSonne& sun = scene.Add(std::make_unique<TObjektSonne>());
    const double bin = 360.0 / richtungprosel, travel = (std::floor(240 / bin) + 0.5) * bin;
    sun.richtung = static_cast<float>(270 - travel);
    sun.staerke = kStrength;
    const platform::Measurement m = MeasureLight(scene.Computed(), kSize / 2, kMirror - kAbove);
    const double energy = 2 * kStrength;
    cases.push_back(Case("mirror-image-energy-density", "E of the sun and its image in a mirror (2 S)", m.energy,
                         energy, energy, kRounding));
    cases.push_back(DirectionCase("mirror-image-direction", "Direction of F of the sun and its image (180)",
                                  m.direction, 180, kRounding));
}

// A circular emitter inside a closed ring that reflects all it gets
// diffusely. In balance the ring sends out what reaches it, the emitter
// swallows what reaches it and sends S: in the cavity every surface then has
// the radiance S/2, the emitter's, and so every point as inside the glowing
// frame: E = pi S and F = 0.
// The ring gathers at probes kFaceProbeOffset inside it, rounded to pixels
// (at most sqrt(1/2) further out), from no element nearer than where the
// line along its face through the probe meets the ring: the elements' error
// of what it gathers is that of this distance. Of what the ring sends out,
// the part 1 - r / R comes back to it, so in balance its error grows by
// R / r. The point, 45 pixels from both, adds the error of its own sum.
void LosslessDiffusor(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    // The point lies at rho = 145 from the centre, at (87, 116) up and right of it.
    constexpr int32_t kEmitter = 100, kRing = 190, kRight = 87, kUp = 116, kClearance = 45;
    Scene scene(sellaenge, richtungprosel);
    // Stopped where a further pass changes nothing that the tolerance could see.
    scene.settings.abbruchgenauigkeit = 0.001f;
    scene.settings.maximaleiterationen = 1000;
    scene.Add(std::make_unique<TObjektLambertKreis>(kSize / 2, kSize / 2, kSize / 2 + kEmitter, kSize / 2)).staerke =
        kStrength;
    scene.Add(std::make_unique<TObjektSpiegelKreis>(kSize / 2, kSize / 2, kSize / 2 + kRing, kSize / 2)).difref = 100;
    const platform::Measurement m = MeasureLight(scene.Computed(), kSize / 2 + kRight, kSize / 2 - kUp);
    const double energy = kPi * kStrength;
    const double probe = kRing - kFaceProbeOffset + std::sqrt(0.5);
    const double nearest = std::sqrt(kRing * kRing - probe * probe);
    const double element =
        std::max(ArcElementLength(360, kRing, ArcElementCount(360, kRing, sellaenge, richtungprosel)),
                 ArcElementLength(360, kEmitter, ArcElementCount(360, kEmitter, sellaenge, richtungprosel)));
    const double tolerance = MidpointError(element, nearest) * kRing / kEmitter + ElementTolerance(element, kClearance);
    cases.push_back(Case("diffusor-ring-energy-density", "E between an emitter and a closed lossless diffusor (pi S)",
                         m.energy, energy, energy, tolerance));
    cases.push_back(Case("diffusor-ring-flow-density", "|F| between an emitter and a closed lossless diffusor (0)",
                         m.magnitude, 0, energy, tolerance));
}

// A straight diffusor that reflects all it gets, in the sun at 60 degrees
// from straight above: its upper face receives S cos 60 and sends it all out
// diffusely, so it shines there like a straight emitter of strength
// M = S cos 60 = S/2. A point above it, off its bisector, gets the sunlight
// and that light: E = S + E_M and F = F_sun + F_M. The sunlight reaches every
// element whole, so only the errors of the diffusor's elements are left, as
// for an emitter: of E_M, and of F_M for the direction.
void DiffusorInSunlight(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kHalf = 100, kDistance = 100, kLine = kSize / 2 + kDistance;
    constexpr int32_t kLeft = kSize / 2 - kHalf, kRight = kSize / 2 + kHalf, kBeside = kSize / 2 + kHalf / 2;
    constexpr float kDirection = 60;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektSpiegel>(kLeft, kLine, kRight, kLine)).difref = 100;
    TObjektSonne& sun = scene.Add(std::make_unique<TObjektSonne>());
    sun.richtung = kDirection;
    sun.staerke = kStrength;
    const platform::Measurement m = MeasureLight(scene.Computed(), kBeside, kLine - kDistance);
    const double theta = kDirection * kPi / 180;
    const StripLight diffuse =
        StraightEmitterLight(kStrength * std::cos(theta), kDistance, kLeft - kBeside, kRight - kBeside);
    // Window y grows downward: away from the diffusor, above it, is -y.
    const double fx = -kStrength * std::sin(theta) + diffuse.along;
    const double fy = kStrength * std::cos(theta) - diffuse.away;
    const double energy = kStrength + diffuse.energy;
    const double midpoint = MidpointError(StraightElement(2 * kHalf, sellaenge), kDistance);
    cases.push_back(Case("diffusor-strip-energy-density", "E above a lossless diffusor in the sun (S + E of S cos)",
                         m.energy, energy, energy, midpoint + kRounding));
    cases.push_back(DirectionCase("diffusor-strip-direction", "Direction of F above a lossless diffusor in the sun",
                                  m.direction, TravelDirection(fx, fy),
                                  DirectionTolerance(midpoint, diffuse.energy, std::hypot(fx, fy))));
}

// What crosses a closed polygon of measuring lines around an emitter is all
// it sends out: 2 S L from a straight emitter of length L. The lines are
// cut into pieces of 2 pixels, whose middles lie on whole pixels; the
// crossing flux along a line is a sum of cosine-law kernels as above, so its
// midpoint rule over pieces p errs by at most p^2 / (8 D^2) beside the
// emitter's own e^2 / (8 D^2), D the emitter's shortest distance to a line.
void PolygonAroundEmitter(int32_t sellaenge, int32_t richtungprosel, std::vector<VerificationCase>& cases) {
    constexpr int32_t kLength = 60, kNear = 50, kFar = kSize - kNear, kPiece = 2;
    constexpr int32_t kSamples = (kFar - kNear) / kPiece;
    Scene scene(sellaenge, richtungprosel);
    scene.Add(std::make_unique<TObjektLambert>((kSize - kLength) / 2, kSize / 2, (kSize + kLength) / 2, kSize / 2))
        .staerke = kStrength;
    const SceneList& list = scene.Computed();
    // Clockwise on the screen, so that the right of every line is inside.
    const MeasuringLine sides[] = {{kNear, kNear, kFar, kNear, kSamples},
                                   {kFar, kNear, kFar, kFar, kSamples},
                                   {kFar, kFar, kNear, kFar, kSamples},
                                   {kNear, kFar, kNear, kNear, kSamples}};
    double outward = 0;
    for (const MeasuringLine& side : sides) {
        const LineReading reading = MeasureAlong(list, side, [] {});
        outward += reading.powerMinus - reading.powerPlus;
    }
    const double emitted = 2 * kStrength * kLength;
    constexpr int32_t kDistance = (kSize - kLength) / 2 - kNear;  // from the emitter's pixels
    const double tolerance =
        ElementTolerance(StraightElement(kLength, sellaenge), kDistance) + MidpointError(kPiece, kDistance);
    cases.push_back(Case("polygon-emitted-power", "Power out of a closed polygon of measuring lines (2 S L)", outward,
                         emitted, emitted, tolerance));
}

}  // namespace

std::vector<VerificationCase> Verify(int32_t sellaenge, int32_t richtungprosel) {
    std::vector<VerificationCase> cases;
    GlowingFrame(sellaenge, richtungprosel, cases);
    StraightEmitter(sellaenge, richtungprosel, cases);
    ParallelStrips(sellaenge, richtungprosel, cases);
    CircularEmitter(sellaenge, richtungprosel, cases);
    GlowingArc(sellaenge, richtungprosel, cases);
    SunThroughGap(sellaenge, richtungprosel, cases);
    MirrorImage(sellaenge, richtungprosel, cases);
    DiffusorInSunlight(sellaenge, richtungprosel, cases);
    LosslessDiffusor(sellaenge, richtungprosel, cases);
    PolygonAroundEmitter(sellaenge, richtungprosel, cases);
    return cases;
}

}  // namespace brevanto::measure
