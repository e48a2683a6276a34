#include "model/Szeneobjekt.h"

#include "model/Programvar.h"
#include "model/Stringfunktionen.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

bool Tszeneobjekt::Iterate(const TSceneList&) { return false; }

void Tszeneobjekt::Draw(platform::Canvas& canvas) const { canvas.SetPenColor(colour); }

bool Tszeneobjekt::FlowDensityAt(int32_t, int32_t, const TSceneList&, float& fx, float& fy, int32_t) const {
    fx = 0;
    fy = 0;
    return false;
}

void Tszeneobjekt::FlowContributionsAt(int32_t, int32_t, const TSceneList&, int32_t, FlowVectorList&) const {}

bool Tszeneobjekt::Blocks(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) const { return false; }

bool Tszeneobjekt::IsNear(int32_t, int32_t, int32_t, int32_t, int32_t) const { return false; }

void Tszeneobjekt::Edit() { prgvar().berechnet = false; }

void Tszeneobjekt::SetEndPoint(int32_t, int32_t) { prgvar().berechnet = false; }

Extended Tszeneobjekt::Strength() const { return 0.0; }

void Tszeneobjekt::AddStreamLineStarts(StreamLineStarts&, const TSceneList&, float) const {}

bool Tszeneobjekt::IsDegenerate() const { return false; }

bool Tszeneobjekt::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Int("color=", colour);
}

void Tszeneobjekt::SaveToFile(platform::TextFile&) const { platform::CurrentPlatform().ShowMessage("Could not save"); }

void Tszeneobjekt::SaveHeader(platform::TextFile& file) const {
    file.WriteLine(kind);
    file.WriteLine("begin");
    file.WriteLine("color=" + platform::IntToStr(colour));
}
