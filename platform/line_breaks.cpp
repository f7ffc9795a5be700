#include "line_breaks.h"

namespace platform {

QStringView LineBreakText(LineBreak lineBreak) {
    switch (lineBreak) {
        case LineBreak::Lf:
            return u"\n";
        case LineBreak::Cr:
            return u"\r";
        case LineBreak::CrLf:
            break;
    }
    return u"\r\n";
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
