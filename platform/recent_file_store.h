#pragma once
// The recent-file list, most recent first, kept in the user's settings.
//
// Stored in an INI file in the user's configuration folder (QSettings, user scope) under the
// names the old framework used in the registry: group "Recent File List", keys "File1" to
// "FileN". Paths are canonical and absolute, so one file never appears twice.

#include <QString>
#include <QStringList>

namespace platform {

class RecentFileStore {
public:
    RecentFileStore(QString organisation, QString application, int maxEntries);

    // Replaces the entries with those stored in the settings (at most maxEntries, no
    // duplicates, empty entries skipped). Missing files are kept: opening one reports it.
    void load();
    // Writes the entries to the settings, removing stored entries beyond the current count.
    void save() const;

    // Puts path at the front, removing an earlier entry for the same file and the oldest entry
    // when the list is full. A relative path is made absolute against the current folder.
    void add(const QString& path);
    // Removes the entry at index (0 = most recent); an index out of range is ignored.
    void removeAt(int index);

    const QStringList& entries() const { return m_entries; }

    // The form in which a path is stored: canonical when the file exists, else absolute and
    // cleaned.
    static QString normalisedPath(const QString& path);

private:
    QString m_organisation;
    QString m_application;
    int m_maxEntries;
    QStringList m_entries;
};

}  // namespace platform
