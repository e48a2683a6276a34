#pragma once
#include <string>

#include "platform/Canvas.h"
#include "platform/Colour.h"

// A small bitmap font for the labels of the colour maps' legends, drawn with
// filled squares: the window and the command-line tool show the same pixels.
// Each character is 5 x 7 dots of `dot` pixels, 6 dots apart; it knows the
// digits, ". + - ( ) | /", and the letters of the legends' titles. Other
// characters leave a blank.
namespace pixelfont {

inline constexpr int kColumns = 5;
inline constexpr int kRows = 7;
inline constexpr int kAdvance = 6;

bool HasGlyph(char c);
int TextWidth(const std::string& text, int dot);
// The text's top-left corner at (x, y); sets the brush colour and style.
void DrawText(platform::Canvas& canvas, int x, int y, const std::string& text, platform::TColor colour, int dot);

}  // namespace pixelfont
