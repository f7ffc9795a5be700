// Writes the program's icon resource as the PNG files of the hicolor icon theme, so that
// the launcher shows the picture the running window carries.
//   vorlexi_icon_export OUT_DIR NAME
// writes OUT_DIR/<size>x<size>/apps/NAME.png for every size below.

#include <QDir>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "resource_ids.h"
#include "resource_types.h"
#include "vorlexi_resources.h"

namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

QImage Picture(const platform::Image16& image) {
    QImage picture(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y) {
        const char* row = image.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < image.width; ++x) {
            const char digit = row[x];
            QRgb pixel = qRgba(0, 0, 0, 0);
            if (digit != ' ') {
                const int index = digit <= '9' ? digit - '0' : digit - 'A' + 10;
                pixel = 0xFF000000u | platform::kPalette16[index];
            }
            picture.setPixel(x, y, pixel);
        }
    }
    return picture;
}

// An image drawn at `size` as it is; every other size from the largest, most detailed
// drawing, enlarged by whole pixels and, where the size is no whole multiple, smoothly
// reduced from the next whole enlargement.
QImage PictureAt(const std::vector<QImage>& drawn, int size) {
    const QImage* largest = &drawn.front();
    for (const QImage& image : drawn) {
        if (image.width() == size) {
            return image;
        }
        if (image.width() > largest->width()) {
            largest = &image;
        }
    }
    const int factor = std::max(1, (size + largest->width() - 1) / largest->width());
    const int enlarged = factor * largest->width();
    const QImage picture =
        largest->scaled(enlarged, enlarged, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return enlarged == size
               ? picture
               : picture.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUT_DIR NAME\n", argv[0]);
        return 2;
    }
    const platform::IconResource* icon = nullptr;
    for (const platform::IconResource& candidate : VorlexiResources().icons) {
        if (candidate.id == IDR_MAINFRAME) {
            icon = &candidate;
        }
    }
    if (icon == nullptr || icon->images.empty()) {
        std::fprintf(stderr, "the program's resources hold no main-window icon\n");
        return 1;
    }
    std::vector<QImage> drawn;
    for (const platform::Image16& image : icon->images) {
        drawn.push_back(Picture(image));
    }

    const QString outDir = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
        const QString path = folder + QStringLiteral("/") + name + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !PictureAt(drawn, size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
