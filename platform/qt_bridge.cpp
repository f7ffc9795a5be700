#include "qt_bridge.h"

#include "code_page.h"
#include "resources.h"

#include <QFile>
#include <QPixmap>

#include <cstring>

namespace platform {

QString ToQString(std::string_view text) { return FromCodePage(text); }

CString ToCString(const QString& text) { return CString(ToCodePage(text)); }

QString PathToQt(const CString& path) {
    return QFile::decodeName(QByteArray(path.GetString(), path.GetLength()));
}

CString PathFromQt(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return CString(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

namespace {

std::optional<int> HexDigit(char ch) {
    const std::size_t digit = std::string_view("0123456789ABCDEF").find(ch);
    return digit != std::string_view::npos ? std::optional<int>(static_cast<int>(digit))
                                           : std::nullopt;
}

}  // namespace

QImage ImageFromResource(const Image16& image, std::optional<int> transparentIndex) {
    if (image.width <= 0 || image.height <= 0) {
        return QImage();
    }
    QImage result(image.width, image.height, QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const int rows = std::min(image.height, static_cast<int>(image.rows.size()));
    for (int y = 0; y < rows; ++y) {
        const char* row = image.rows[static_cast<std::size_t>(y)];
        if (row == nullptr) {
            continue;
        }
        const int length = std::min(image.width, static_cast<int>(std::strlen(row)));
        for (int x = 0; x < length; ++x) {
            const std::optional<int> index = HexDigit(row[x]);
            if (!index || index == transparentIndex) {
                continue;
            }
            result.setPixel(x, y, 0xFF000000u | kPalette16[*index]);
        }
    }
    return result;
}

QIcon IconFromResource(UINT id) {
    QIcon icon;
    if (const IconResource* resource = FindIconResource(id)) {
        for (const Image16& image : resource->images) {
            const QImage picture = ImageFromResource(image);
            if (!picture.isNull()) {
                icon.addPixmap(QPixmap::fromImage(picture));
            }
        }
    }
    return icon;
}

}  // namespace platform
