// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MeasuringDialogs.h"

#include <string>

#include "platform/Conversions.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;
using namespace measure;

namespace {

using platform::Control;
using Column = std::vector<std::string>;  // its header, then a cell per row

// Four significant digits for the powers; the verification shows how close
// a value comes to its exact one, with seven.
std::string Number(double value, int digits = 4) { return platform::FloatToStr(value, digits); }

// Labels laid out as a table: the columns side by side, each its header over
// its cells, so the rows line up.
void AddTable(std::vector<Control>& controls, const std::vector<Column>& columns) {
    for (size_t c = 0; c < columns.size(); ++c)
        for (size_t row = 0; row < columns[c].size(); ++row) {
            Control label = Control::Label(columns[c][row]);
            if (row > 0)
                label = label.Below();
            else if (c > 0)
                label = label.Beside();
            controls.push_back(std::move(label));
        }
}

void ShowTable(platform::Platform& platform, const std::string& caption, const std::vector<std::string>& before,
               const std::vector<Column>& columns, const std::vector<std::string>& after) {
    std::vector<Control> controls;
    // A few lines of a dialog shown once: their room is not worth counting ahead.
    // NOLINTNEXTLINE(performance-inefficient-vector-operation)
    for (const std::string& line : before) controls.push_back(Control::Label(line));
    AddTable(controls, columns);
    for (const std::string& line : after) controls.push_back(Control::Label(line));
    controls.push_back(Control::Button("OK", platform::ModalResult::OK, true));
    platform::DialogSpec dialog{caption, std::move(controls)};
    platform.ShowModal(dialog);
}

}  // namespace

void EnergyBalanceDialog(platform::Platform& platform, const EnergyBalance& balance, const std::string& note) {
    std::vector<Column> columns{{"No."},       {"Object"},      {"Emitted"}, {"Received"},
                                {"Reflected"}, {"Transmitted"}, {"Absorbed"}};
    for (const ObjectBalance& object : balance.objects) {
        columns[0].push_back(platform::IntToStr(object.number));
        columns[1].push_back(object.description);
        columns[2].push_back(Number(object.emitted));
        columns[3].push_back(Number(object.received));
        columns[4].push_back(Number(object.reflected));
        columns[5].push_back(Number(object.transmitted));
        columns[6].push_back(Number(object.absorbed));
    }
    std::vector<std::string> after{"Leaving through the picture frame: " + Number(balance.leaving),
                                   "Emitted in all: " + Number(balance.emitted) +
                                       "    absorbed and leaving: " + Number(balance.absorbed + balance.leaving),
                                   "Imbalance: " + Number(balance.imbalance) + " % of what is emitted"};
    bool mirrors = false;
    for (const ObjectBalance& object : balance.objects) mirrors = mirrors || object.change.has_value();
    if (mirrors)
        after.push_back("Largest change a further iteration pass would make: " + Number(balance.largestChange) +
                        " % (stop criterion: " + Number(balance.stopCriterion) + " %)");
    if (!note.empty()) after.push_back(note);
    ShowTable(platform, "Energy balance", {"Power in units of energy flow density times pixels."}, columns, after);
}

void VerificationDialog(platform::Platform& platform, const std::vector<VerificationCase>& cases,
                        const Tprgvar& resolution) {
    std::vector<Column> columns{{"Case"}, {"Computed"}, {"Exact"}, {"Difference %"}, {"Tolerance %"}, {"Result"}};
    int failed = 0;
    for (const VerificationCase& c : cases) {
        columns[0].push_back(c.description);
        columns[1].push_back(Number(c.computed, 7));
        columns[2].push_back(Number(c.exact, 7));
        columns[3].push_back(Number(c.difference, 3));
        columns[4].push_back(Number(c.tolerance, 3));
        columns[5].push_back(c.Passed() ? "ok" : "FAIL");
        failed += !c.Passed();
    }
    ShowTable(
        platform, "Verification",
        {"Built-in scenes whose answers are known exactly, computed with surface elements of " +
         platform::IntToStr(resolution.sellaenge) + " pixels and " + platform::IntToStr(resolution.richtungprosel) +
         " directions."},
        columns,
        {failed == 0 ? std::string("Every case lies within its tolerance.")
                     : platform::IntToStr(failed) + " of " + platform::IntToStr(static_cast<int64_t>(cases.size())) +
                           " cases lie outside their tolerance."});
}

std::optional<std::pair<int, int>> MeasurePointDialog(platform::Platform& platform, const Tprgvar& settings) {
    static platform::DialogSpec dialog{
        "Measure at Point",
        {Control::Edit("x", "X"), Control::Edit("y", "Y", true),
         Control::Label("pixels, 0 at the picture's upper left corner").Beside(),
         Control::Button("OK", platform::ModalResult::OK, true), Control::CancelButton()}};
    while (true) {
        if (platform.ShowModal(dialog) != platform::ModalResult::OK) return std::nullopt;
        platform::FieldReader fields(dialog);
        const int32_t x = fields.Int("x");
        const int32_t y = fields.Int("y");
        const std::string outside = "The point must lie in the picture.";
        fields.Require(x >= 0 && x < settings.breite, "x", outside);
        fields.Require(y >= 0 && y < settings.hoehe, "y", outside);
        if (!fields.Refused(platform)) return std::pair{x, y};
    }
}

}  // namespace brevanto::ui
