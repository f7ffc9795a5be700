#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

#include "safe_writer.h"

namespace platform {
namespace {

QString Shown(const QString& path) { return QDir::toNativeSeparators(path); }

QString TooLargeMessage(const QString& path, qint64 size, qint64 maxBytes) {
    return QStringLiteral(
               "%1\nThis file is too large to edit: it holds %2 bytes, and the "
               "largest text this program edits is %3 bytes (%4 MiB).")
        .arg(Shown(path), QString::number(size), QString::number(maxBytes),
             QString::number(maxBytes / (1024 * 1024)));
}

}  // namespace

LoadedTextFile LoadTextFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return {{}, QStringLiteral("%1\nFile not found.").arg(Shown(path))};
    }
    // A directory, device or pipe has no text to load, and reading one could block forever.
    if (!info.isFile()) {
        return {
            {},
            QStringLiteral("%1\nThis is not a file that can be opened as text.").arg(Shown(path))};
    }
    if (info.size() > maxBytes) {
        return {{}, TooLargeMessage(path, info.size(), maxBytes)};
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {
            {},
            QStringLiteral("%1\nCannot open the file: %2.").arg(Shown(path), file.errorString())};
    }
    // Reads up to one byte more than allowed, so that a file that grew after it was measured
    // is refused too instead of being cut short.
    constexpr qint64 kChunkBytes = qint64{1} << 20;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.size()));
    for (;;) {
        const auto before = static_cast<qint64>(bytes.size());
        const qint64 wanted = std::min(kChunkBytes, maxBytes + 1 - before);
        if (wanted <= 0) {
            break;
        }
        bytes.resize(static_cast<std::size_t>(before + wanted));
        const qint64 got = file.read(bytes.data() + before, wanted);
        bytes.resize(static_cast<std::size_t>(before + std::max<qint64>(got, 0)));
        if (got < 0) {
            return {{},
                    QStringLiteral("%1\nCannot read the file: %2.")
                        .arg(Shown(path), file.errorString())};
        }
        if (got == 0) {
            break;
        }
    }
    if (static_cast<qint64>(bytes.size()) > maxBytes) {
        return {{}, TooLargeMessage(path, QFileInfo(path).size(), maxBytes)};
    }
    return {std::move(bytes), {}};
}

SavedTextFile SaveTextFileAtomically(const QString& path, std::string_view bytes) {
    const std::optional<std::string> failure =
        safe_write::WriteFileSafely(QFile::encodeName(path).toStdString(), bytes);
    if (!failure) {
        return {};
    }
    // The writer's own words, as vorlexi-calc prints them, made a sentence for the box.
    QString message = QString::fromLocal8Bit(*failure);
    message[0] = message[0].toUpper();
    return {message + u'.'};
}

}  // namespace platform
