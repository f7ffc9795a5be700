#pragma once
// The title a document shows in its frame, in Unicode: a file's name keeps letters that
// Windows-1252 cannot hold. For the layer's own sources.

#include <QString>

namespace platform {

class CDocument;

QString DisplayTitle(const CDocument& document);

// The title of a file path: its name without the folder.
QString FileTitle(const QString& path);

}  // namespace platform
