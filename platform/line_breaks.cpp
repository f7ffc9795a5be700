#include "line_breaks.h"

namespace platform {

QStringView LineBreakText(LineBreak lineBreak) {
    static constexpr QStringView kTexts[] = {u"\r\n", u"\n", u"\r"};  // in LineBreak's order
    return kTexts[static_cast<std::size_t>(lineBreak)];
}

std::vector<TextLine> SplitLines(QStringView text) {
    std::vector<TextLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'\r' && ch != u'\n') {
            continue;
        }
        TextLine line{start, i - start, true, LineBreak::Lf};
        if (ch == u'\r') {
            const bool followedByLf = i + 1 < text.size() && text[i + 1] == u'\n';
            line.lineBreak = followedByLf ? LineBreak::CrLf : LineBreak::Cr;
            if (followedByLf) {
                ++i;
            }
        }
        lines.push_back(line);
        start = i + 1;
    }
    lines.push_back(TextLine{start, text.size() - start, false, LineBreak::CrLf});
    return lines;
}

}  // namespace platform
