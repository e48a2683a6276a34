#include "display/GitterDarstellung.h"

#include "display/ShownProgress.h"
#include "model/ColourChoice.h"
#include "model/ParallelFor.h"
#include "model/Programvar.h"
#include "model/Stringfunktionen.h"
#include "platform/Conversions.h"
#include "platform/Platform.h"

bool TGitterDarstellung::LoadFromFile(platform::TextFile& file) {
    KeyReader reader(file);
    return reader.Keyword("begin") && reader.Int("color=", colour) && reader.Int("gitterweite=", gitterweite) &&
           reader.Keyword("end");
}

void TGitterDarstellung::SaveSection(platform::TextFile& file, const std::string& keyword) const {
    file.WriteLine(keyword);
    file.WriteLine("begin");
    file.WriteLine("color=" + platform::IntToStr(colour));
    file.WriteLine("gitterweite=" + platform::IntToStr(gitterweite));
    file.WriteLine("end");
}

void TGitterDarstellung::EditSpacingAndColour(platform::DialogSpec& dialog) {
    dialog["Edit1"].text = platform::IntToStr(gitterweite);
    while (platform::CurrentPlatform().ShowModal(dialog) == platform::ModalResult::OK) {
        // Malformed text reads as 0 and is refused with the rest.
        const int32_t spacing = platform::LenientStrToInt(dialog["Edit1"].text);
        if (spacing >= 1) {
            gitterweite = spacing;
            ApplyColourChoice(dialog["ComboBox1"], colour);
            return;
        }
        platform::CurrentPlatform().ShowMessage("The pixel width must be a whole number of at least 1.");
    }
}

int32_t TGitterDarstellung::Columns() const { return prgvar().breite / gitterweite; }

int32_t TGitterDarstellung::Rows() const { return prgvar().hoehe / gitterweite; }

size_t TGitterDarstellung::PointIndex(int32_t column, int32_t row) const {
    return static_cast<size_t>(column - 1) * static_cast<size_t>(Rows()) + static_cast<size_t>(row - 1);
}

bool TGitterDarstellung::CheckGrid(const std::string& what) const {
    std::string reason;
    if (gitterweite < 1)
        reason = "the pixel width is smaller than 1";
    else if (Columns() < 1 || Rows() < 1)
        reason = "the pixel width is larger than the picture";
    if (reason.empty()) return true;
    platform::CurrentPlatform().ShowMessage("No " + what + " are drawn, because " + reason + ".");
    return false;
}

void TGitterDarstellung::ForEachPoint(const std::string& what,
                                      const std::function<void(int32_t, int32_t)>& computePoint) const {
    const int32_t columns = Columns();
    const int32_t rows = Rows();
    ShownProgress progress;
    for (int32_t i = 1; i <= columns; ++i) {
        const int64_t percent = (static_cast<int64_t>(i) - 1) * 100 / columns;
        progress.SetText(prgvar().titel + " is calculating the " + what + ".\rProgress: " +
                         platform::IntToStr(percent) + "%");
        ParallelFor(rows, [&](int64_t row) { computePoint(i, static_cast<int32_t>(row) + 1); });
    }
}
