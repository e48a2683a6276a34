// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/SceneFile.h"

#include "model/TextParts.h"
#include "objects/KindRegistry.h"
#include "platform/Conversions.h"
#include "platform/Errors.h"

namespace brevanto::files {

using namespace model;
using namespace objects;
using namespace display;

namespace {

SceneFileProblem ProblemAt(const platform::TextFile& file, SceneFileProblem::Kind kind) {
    return {kind, file.LineNumber(), file.Expectation(), file.LastLine(), file.LastLinePastEnd(), {}};
}

// Notes an object read whole, from its kind line `firstLine` to the line just
// read, when its dialog would refuse its values.
void CheckValues(const Tszeneobjekt& object, size_t firstLine, const platform::TextFile& file,
                 SceneFileContents& contents) {
    std::string problem = object.ValueProblem();
    if (!problem.empty())
        contents.warnings.push_back({firstLine, file.LineNumber(), object.description, std::move(problem)});
}

// The header and the screen section.
void ReadScreen(KeyReader& reader, platform::TextFile& file, SceneFileContents& contents) {
    contents.isSceneFile = reader.Keyword(std::string(kSceneFileHeader));
    contents.screenRead = contents.isSceneFile && reader.Keyword("begin") && reader.Keyword("screen") &&
                          reader.Keyword("begin") && reader.Int("hoehe=", contents.hoehe) &&
                          reader.Int("breite=", contents.breite);
    if (!contents.screenRead) return;
    platform::TColor colour = 0;
    bool ok = reader.Int("hintergrundfarbe=", colour);
    if (ok) contents.hintergrundfarbe = colour;
    ok = ok && reader.Keyword("end");
    if (!ok) contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongLine);
}

// The sections after the screen: displays, settings and the background
// radiation. Each is replaced whatever came before; it is read only while
// everything before it matched.
bool ReadSections(KeyReader& reader, platform::TextFile& file, SceneFileContents& contents, bool ok) {
    contents.stateReplaced = true;
    contents.displays.vektorpfeile = TVektorpfeile{};
    ok = ok && reader.Keyword("vektorpfeile") && contents.displays.vektorpfeile.LoadFromFile(file);
    ok = ok && reader.Keyword("prgvar") && contents.settings.LoadSettings(file);
    contents.displays.linien = TLinien{};
    ok = ok && reader.Keyword("linien") && contents.displays.linien.LoadFromFile(file);
    contents.displays.energiekreise = TEnergiekreise{};
    ok = ok && reader.Keyword("energiekreise") && contents.displays.energiekreise.LoadFromFile(file);
    ok = ok && reader.Keyword("hintergrund");
    const size_t firstLine = file.LineNumber();
    ok = ok && contents.list.Head().LoadFromFile(file);
    if (ok) CheckValues(contents.list.Head(), firstLine, file, contents);
    return ok;
}

// Appends the objects up to the final "end". An object whose section fails
// stays with what it read.
void ReadObjects(platform::TextFile& file, SceneFileContents& contents) {
    while (true) {
        file.Expect("a kind of object or \"end\"");
        const std::string kind = file.ReadLine();
        if (kind == "end") return;
        const size_t firstLine = file.LineNumber();
        std::unique_ptr<Tszeneobjekt> object = CreateObjectOfKind(kind, 0, 0, 0, 0);
        if (!object) {
            contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongObject);
            return;
        }
        Tszeneobjekt& added = *object;
        contents.list.Append(std::move(object));
        if (!added.LoadFromFile(file)) {
            contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongObject);
            return;
        }
        CheckValues(added, firstLine, file, contents);
    }
}

// The measuring lines after the objects' final "end". Whatever else follows
// the scene is left alone, as it always was.
void ReadMeasuringLines(KeyReader& reader, platform::TextFile& file, SceneFileContents& contents) {
    while (!file.AtEnd()) {
        file.Expect("\"measuringline\" or the end of the file");
        if (!reader.Keyword("measuringline")) return;
        MeasuringLine line;
        const bool ok = reader.Keyword("begin") && reader.Text("name=", line.name) && reader.Int("x1=", line.x1) &&
                        reader.Int("y1=", line.y1) && reader.Int("x2=", line.x2) && reader.Int("y2=", line.y2) &&
                        reader.Int("samples=", line.samples) && line.samples >= 1 &&
                        line.samples <= MeasuringLine::kMostSamples && reader.Keyword("end");
        if (!ok) {
            contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongLine);
            return;
        }
        contents.measuringLines.push_back(std::move(line));
    }
}

void WriteMeasuringLine(platform::TextFile& file, const MeasuringLine& line) {
    using platform::IntToStr;
    file.WriteLine("measuringline");
    file.WriteLine("begin");
    file.WriteLine("name=" + line.name);
    file.WriteLine("x1=" + IntToStr(line.x1));
    file.WriteLine("y1=" + IntToStr(line.y1));
    file.WriteLine("x2=" + IntToStr(line.x2));
    file.WriteLine("y2=" + IntToStr(line.y2));
    file.WriteLine("samples=" + IntToStr(line.samples));
    file.WriteLine("end");
}

}  // namespace

platform::TextFile SceneFileText(const Tprgvar& settings, const Displays& displays, const SceneList& list,
                                 const std::vector<MeasuringLine>& measuringLines) {
    using platform::IntToStr;
    platform::TextFile file;
    file.WriteLine(std::string(kSceneFileHeader));
    file.WriteLine("begin");
    file.WriteLine("screen");
    file.WriteLine("begin");
    file.WriteLine("hoehe=" + IntToStr(settings.hoehe));
    file.WriteLine("breite=" + IntToStr(settings.breite));
    file.WriteLine("hintergrundfarbe=" + IntToStr(settings.hintergrundfarbe));
    file.WriteLine("end");
    displays.vektorpfeile.SaveToFile(file);
    settings.SaveSettings(file);
    displays.linien.SaveToFile(file);
    displays.energiekreise.SaveToFile(file);
    for (const auto& object : list) object->SaveToFile(file);
    file.WriteLine("end");
    for (const MeasuringLine& line : measuringLines) WriteMeasuringLine(file, line);
    return file;
}

void SaveScene(const std::string& fileName, const Tprgvar& settings, const Displays& displays, const SceneList& list,
               const std::vector<MeasuringLine>& measuringLines) {
    SceneFileText(settings, displays, list, measuringLines).Write(fileName);
}

SceneFileContents ReadSceneFile(platform::TextFile& file, const Displays& current) {
    SceneFileContents contents{.displays = current, .list = SceneList(NewBackground())};
    KeyReader reader(file);
    try {
        ReadScreen(reader, file, contents);
        if (!contents.screenRead && !contents.problem)
            contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongLine);
        if (!contents.isSceneFile) return contents;
        const bool ok = ReadSections(reader, file, contents, !contents.problem);
        if (!ok && !contents.problem) contents.problem = ProblemAt(file, SceneFileProblem::Kind::WrongLine);
        if (!contents.problem) ReadObjects(file, contents);
        if (!contents.problem) ReadMeasuringLines(reader, file, contents);
    } catch (const platform::ConversionError& error) {
        contents.problem = ProblemAt(file, SceneFileProblem::Kind::BadNumber);
        contents.problem->message = error.what();
    } catch (const platform::InOutError& error) {
        contents.problem = ProblemAt(file, SceneFileProblem::Kind::Unreadable);
        contents.problem->message = error.what();
    }
    return contents;
}

}  // namespace brevanto::files
