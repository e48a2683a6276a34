// Damaged scene files: every one is reported, none crashes the program, and
// the program goes on with a usable state.
#include <filesystem>
#include <random>

#include "SceneFileFixture.h"

namespace {

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class SceneFileDamageTest : public SceneFileTest {
protected:
    // Every kind, on a small picture so that the redraw after each load is quick.
    static std::vector<std::string> Intact() {
        const std::string path = BREVANTO_SOURCE_DIR "/tests/data/every-kind.brv";
        if (!std::filesystem::exists(path)) throw std::runtime_error("missing test fixture " + path);
        std::vector<std::string> lines = Lines(ReadBytes(path));
        lines.at(4) = "hoehe=60";
        lines.at(5) = "breite=80";
        return lines;
    }

    // Opens the damaged file: there must be a message, and the window, the
    // picture and the settings must agree on the size afterwards.
    void ExpectReported(const std::string& bytes, const std::string& what) {
        const auto messages = Open(bytes);
        EXPECT_FALSE(messages.empty()) << what;
        EXPECT_EQ(form->Picture().Width(), window.ClientWidth()) << what;
        EXPECT_EQ(form->Picture().Height(), window.ClientHeight()) << what;
        EXPECT_EQ(prgvar().breite, window.ClientWidth()) << what;
        EXPECT_EQ(prgvar().hoehe, window.ClientHeight()) << what;
        ASSERT_GE(form->SceneList().size(), 1u) << what;
        EXPECT_EQ(form->SceneList()[0].kind, "rahmen") << what;
    }
};

TEST_F(SceneFileDamageTest, IntactFileLoadsWithoutMessage) {
    EXPECT_TRUE(Open(FileBytes(Intact())).empty());
    EXPECT_EQ(window.ClientWidth(), 80);
}

TEST_F(SceneFileDamageTest, FileEndingAfterAnyLine) {
    const std::vector<std::string> intact = Intact();
    for (size_t kept = 0; kept + 1 < intact.size(); ++kept)
        ExpectReported(FileBytes({intact.begin(), intact.begin() + static_cast<std::ptrdiff_t>(kept)}),
                       "first " + std::to_string(kept) + " lines");
}

TEST_F(SceneFileDamageTest, FileEndingInTheMiddleOfALine) {
    const std::string intact = FileBytes(Intact());
    for (size_t size = 1; size + 1 < intact.size(); size += 7)
        ExpectReported(intact.substr(0, size), "first " + std::to_string(size) + " bytes");
}

TEST_F(SceneFileDamageTest, AnyLineReplaced) {
    const std::vector<std::string> intact = Intact();
    for (const std::string& garbage : {std::string(), std::string("\0\0", 2), std::string("\xff\xfe\x01"),
                                       std::string("ende"), std::string("begin"), std::string("=")}) {
        for (size_t line = 0; line < intact.size(); ++line) {
            std::vector<std::string> damaged = intact;
            if (damaged[line] == garbage) continue;
            damaged[line] = garbage;
            ExpectReported(FileBytes(damaged), "line " + std::to_string(line) + " replaced");
        }
    }
}

// The key lines whose values are 32-bit integers.
bool HoldsInteger(const std::string& line) {
    for (const char* key : {"hoehe=", "breite=", "hintergrundfarbe=", "color=", "gitterweite=", "sellaenge=",
                            "richtungprosel=", "maximaleiterationen=", "linienabstand=", "maxlaenge=", "x1=", "y1=",
                            "x2=", "y2="})
        if (line.starts_with(key)) return true;
    return false;
}

TEST_F(SceneFileDamageTest, AnyValueThatIsNoNumber) {
    const std::vector<std::string> intact = Intact();
    const std::vector<std::string> noNumber{"",    " ",   "1e39", "-1e39",  "1 2", std::string("\0", 1),
                                            "0x", "1,5.5", "1.5.", "--1", "+"};
    const std::vector<std::string> beyondInt32{"99999999999", "-2147483649", "$1FFFFFFFF", "1.5"};
    for (size_t line = 0; line < intact.size(); ++line) {
        const size_t equals = intact[line].find('=');
        if (equals == std::string::npos) continue;
        std::vector<std::string> values = noNumber;
        if (HoldsInteger(intact[line])) values.insert(values.end(), beyondInt32.begin(), beyondInt32.end());
        for (const std::string& value : values) {
            std::vector<std::string> damaged = intact;
            damaged[line] = damaged[line].substr(0, equals + 1) + value;
            ExpectReported(FileBytes(damaged), damaged[line]);
        }
    }
}

TEST_F(SceneFileDamageTest, TenMegabyteLines) {
    const std::vector<std::string> intact = Intact();
    const std::string digits(10'000'000, '7');
    for (size_t line : {size_t{0}, size_t{4}, size_t{11}, size_t{17}, size_t{39}}) {
        std::vector<std::string> damaged = intact;
        const size_t equals = damaged[line].find('=');
        damaged[line] = equals == std::string::npos ? digits : damaged[line].substr(0, equals + 1) + digits;
        ExpectReported(FileBytes(damaged), "long line " + std::to_string(line));
        // The message quotes no ten megabytes.
        EXPECT_LT(headless.messages.front().size(), 1000u);
    }
}

TEST_F(SceneFileDamageTest, EmptyAndBinaryFiles) {
    for (const std::string& bytes : {std::string(), std::string("\r\n"), std::string("\n\n\n"), std::string("\r\r\r"),
                                     std::string("\0\0\0\0", 4), std::string("Brevanto 2.0-File")})
        ExpectReported(bytes, "short file");
    std::mt19937 random(2024);
    for (size_t size : {1u, 17u, 4096u, 100000u}) {
        std::string bytes(size, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
        ExpectReported(bytes, std::to_string(size) + " random bytes");
    }
}

TEST_F(SceneFileDamageTest, NulBytesInsideKeywords) {
    std::vector<std::string> damaged = Intact();
    damaged[38] = std::string("lamb\0ert", 8);
    const auto messages = Open(FileBytes(damaged));
    EXPECT_EQ(messages.front(), "Fehler hier!");
}

TEST_F(SceneFileDamageTest, ExtremeButValidNumbersLoadAndDraw) {
    std::vector<std::string> lines = Intact();
    for (std::string& line : lines) {
        for (const char* key : {"x1=", "y2=", "color="})
            if (line.starts_with(key)) line = std::string(key) + "-2147483648";
        for (const char* key : {"x2=", "y1=", "gitterweite="})
            if (line.starts_with(key)) line = std::string(key) + "2147483647";
        if (line.starts_with("staerke=")) line = "staerke=3.39999995214436E38";
    }
    EXPECT_TRUE(Open(FileBytes(lines)).empty());
    form->RedrawAll();
    EXPECT_EQ(SceneText(), FileBytes(lines));
}

}  // namespace
