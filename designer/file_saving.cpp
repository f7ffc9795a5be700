#include "file_saving.h"

#include <QMessageBox>

#include <string_view>

#include "safe_writer.h"

bool SaveOrComplain(QWidget* parent, const QString& path, const QByteArray& content) {
    const auto failure = safe_write::WriteFileSafely(
        path.toStdString(),
        std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    if (failure) {
        QMessageBox::warning(
            parent, QObject::tr("Cannot save"),
            QString::fromStdString(*failure) +
                QObject::tr("\n\nChoose another folder or free some space, and save again."));
        return false;
    }
    return true;
}
