#pragma once
// Splitting text into lines without forgetting how each line ended.

#include <QStringView>

#include <cstdint>
#include <vector>

namespace platform {

enum class LineBreak : std::uint8_t { CrLf, Lf, Cr };

// The characters of a line break as they stand in the text.
QStringView LineBreakText(LineBreak lineBreak);

struct TextLine {
    qsizetype start = 0;   // index of the line's first character
    qsizetype length = 0;  // characters before the break
    // The break that ends the line; the last line of a text has none.
    bool hasBreak = false;
    LineBreak lineBreak = LineBreak::CrLf;
};

// Lines ended by CR LF, a lone LF or a lone CR. A text ending in a break has an empty last
// line, so an empty text is one empty line.
std::vector<TextLine> SplitLines(QStringView text);

}  // namespace platform
