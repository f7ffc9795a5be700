#pragma once
// Every file the designer writes goes through vorlexi's one safe writer (safe_write/),
// not QSaveFile: one rule for every file any vorlexi program writes (a full disk or a
// missing folder leaves the old file as it was and no temporary behind).

#include <QByteArray>
#include <QString>

class QWidget;

// Writes the bytes; on failure tells the user why in a message box. True when written.
bool SaveOrComplain(QWidget* parent, const QString& path, const QByteArray& content);
