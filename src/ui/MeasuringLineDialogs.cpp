// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MeasuringLineDialogs.h"

#include <stdexcept>

#include "platform/Conversions.h"
#include "platform/Dialog.h"
#include "platform/FieldReader.h"
#include "platform/Platform.h"

namespace brevanto::ui {

using namespace model;

namespace {

using platform::Control;
using platform::ModalResult;

std::string Place(const MeasuringLine& line) {
    using platform::IntToStr;
    return "(" + IntToStr(line.x1) + ", " + IntToStr(line.y1) + ") - (" + IntToStr(line.x2) + ", " + IntToStr(line.y2) +
           "), " + IntToStr(line.samples) + " samples";
}

// The sweep's keys in the order the dialog offers them; the sun has no number.
const std::vector<std::string> kSweepKeys = {"richtung", "staerke", "dx", "dy"};

Control Filled(Control edit, std::string text) {
    edit.text = std::move(text);
    return edit;
}

}  // namespace

bool EditMeasuringLine(MeasuringLine& line, platform::Platform& platform) {
    static platform::DialogSpec dialog{
        "Measuring Line",
        {Control::Edit("name", "Name"), Control::Edit("x1", "X1"), Control::Edit("y1", "Y1", true),
         Control::Edit("x2", "X2"), Control::Edit("y2", "Y2", true), Control::Edit("samples", "Samples"),
         Control::Label("measured at the middles of as many equal pieces").Beside(),
         Control::Button("OK", ModalResult::OK, true), Control::CancelButton()}};
    dialog["name"].text = line.name;
    for (const auto& [id, value] : {std::pair{"x1", line.x1}, std::pair{"y1", line.y1}, std::pair{"x2", line.x2},
                                    std::pair{"y2", line.y2}, std::pair{"samples", line.samples}})
        dialog[id].text = platform::IntToStr(value);
    while (true) {
        if (platform.ShowModal(dialog) != ModalResult::OK) return false;
        platform::FieldReader fields(dialog);
        MeasuringLine edited{fields.Int("x1"), fields.Int("y1"),      fields.Int("x2"),
                             fields.Int("y2"), fields.Int("samples"), dialog["name"].text};
        fields.Require(edited.samples >= 1 && edited.samples <= MeasuringLine::kMostSamples, "samples",
                       "The samples must lie between 1 and " + platform::IntToStr(MeasuringLine::kMostSamples) + ".");
        if (!fields.Refused(platform)) {
            line = std::move(edited);
            return true;
        }
    }
}

void MeasuringLineManager(std::vector<MeasuringLine>& lines, platform::Platform& platform, const Tprgvar&) {
    static platform::DialogSpec dialog{
        "Measuring Lines",
        {Control::ListBox("lines", ModalResult::Edit), Control::Button("Delete", ModalResult::Delete).Beside(),
         Control::Button("Edit", ModalResult::Edit).Below(), Control::Button("Quit", ModalResult::Quit, true).Below()}};
    Control& list = dialog["lines"];
    list.selected = lines.empty() ? -1 : 0;
    while (true) {
        list.items.clear();
        list.details.clear();
        for (size_t k = 0; k < lines.size(); ++k) {
            list.items.push_back(lines[k].Title(k));
            list.details.push_back(Place(lines[k]));
        }
        if (list.selected >= static_cast<int>(lines.size())) list.selected = static_cast<int>(lines.size()) - 1;
        const ModalResult result = platform.ShowModal(dialog);
        const bool chosen = list.selected >= 0 && list.selected < static_cast<int>(lines.size());
        const auto index = static_cast<size_t>(std::max(list.selected, 0));
        if (result == ModalResult::Edit && chosen)
            EditMeasuringLine(lines[index], platform);
        else if (result == ModalResult::Delete && chosen)
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
        else if (result != ModalResult::Edit && result != ModalResult::Delete)
            return;
    }
}

std::optional<ParameterSweep> SweepDialog(platform::Platform& platform) {
    static platform::DialogSpec dialog{
        "Sweep",
        {Control::Combo("key", "Vary",
                        {"the first sun's direction (richtung, degrees)", "an object's strength (staerke)",
                         "an object's place to the right (dx, pixels)", "an object's place downwards (dy, pixels)"},
                        "the first sun's direction (richtung, degrees)"),
         Filled(Control::Edit("object", "Object number (as the Object Manager lists it)"), "1"),
         Filled(Control::Edit("from", "From"), "-80"), Filled(Control::Edit("to", "To", true), "80"),
         Filled(Control::Edit("step", "Step", true), "5"), Control::Button("OK", ModalResult::OK, true),
         Control::CancelButton()}};
    while (true) {
        if (platform.ShowModal(dialog) != ModalResult::OK) return std::nullopt;
        platform::FieldReader fields(dialog);
        const int32_t object = fields.Int("object");
        fields.Float("from");
        fields.Float("to");
        fields.Float("step");
        // The sun's direction while nothing is chosen, as the combo shows.
        const int key = std::max(dialog["key"].selected, 0);
        fields.Require(key == 0 || object >= 1, "object", "The object number must be 1 or more.");
        if (fields.Refused(platform)) continue;
        const std::string owner = key == 0 ? std::string("sun") : platform::IntToStr(object);
        try {
            return ParseParameterSweep(owner + "." + kSweepKeys[static_cast<size_t>(key)] + "=" + dialog["from"].text +
                                       ":" + dialog["to"].text + ":" + dialog["step"].text);
        } catch (const std::invalid_argument& error) {
            platform.ShowMessage(std::string("This sweep cannot be done: ") + error.what() + ".");
        }
    }
}

}  // namespace brevanto::ui
