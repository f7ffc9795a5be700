#include "recent_file_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString EntryKey(int index) { return QStringLiteral("File%1").arg(index + 1); }

}  // namespace

RecentFileStore::RecentFileStore(QString organisation, QString application, int maxEntries)
    : m_organisation(std::move(organisation)),
      m_application(std::move(application)),
      m_maxEntries(std::max(maxEntries, 0)) {}

void RecentFileStore::load() {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_organisation, m_application);
    settings.beginGroup(kGroup);
    m_entries.clear();
    for (int i = 0; i < m_maxEntries; ++i) {
        const QString stored = settings.value(EntryKey(i)).toString();
        if (stored.isEmpty()) {
            continue;
        }
        const QString path = normalisedPath(stored);
        if (!m_entries.contains(path)) {
            m_entries.append(path);
        }
    }
}

void RecentFileStore::save() const {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_organisation, m_application);
    // Cleared first, so that an entry removed during the session does not come back from
    // the file, whatever the list's length was when it was written.
    settings.remove(kGroup);
    settings.beginGroup(kGroup);
    for (int i = 0; i < m_entries.size(); ++i) {
        settings.setValue(EntryKey(i), m_entries[i]);
    }
    settings.endGroup();
    settings.sync();
}

void RecentFileStore::add(const QString& path) {
    if (m_maxEntries == 0 || path.isEmpty()) {
        return;
    }
    const QString normalised = normalisedPath(path);
    m_entries.removeAll(normalised);
    m_entries.prepend(normalised);
    while (m_entries.size() > m_maxEntries) {
        m_entries.removeLast();
    }
}

void RecentFileStore::removeAt(int index) {
    if (index >= 0 && index < m_entries.size()) {
        m_entries.removeAt(index);
    }
}

QString RecentFileStore::normalisedPath(const QString& path) {
    const QFileInfo info(path);
    QString canonical = info.canonicalFilePath();
    const QString cleaned = QDir::cleanPath(info.absoluteFilePath());
    if (canonical.isEmpty()) {
        // A folder named on the way may be missing although the file exists ("gone/../x").
        canonical = QFileInfo(cleaned).canonicalFilePath();
    }
    return canonical.isEmpty() ? cleaned : canonical;
}

}  // namespace platform
