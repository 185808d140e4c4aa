#pragma once

#include "Profile.h"

#include <QMap>
#include <QVariant>

namespace qrl {

// A profile held in memory: the stand-in for the user's store in tests.
class MemoryProfile : public Profile {
public:
    int getInt(const QString& section, const QString& name, int defaultValue) const override;
    QString getString(const QString& section, const QString& name,
                      const QString& defaultValue = {}) const override;
    bool setInt(const QString& section, const QString& name, int value) override;
    bool setString(const QString& section, const QString& name, const QString& value) override;
    bool contains(const QString& section, const QString& name) const override;
    bool removeValue(const QString& section, const QString& name) override;
    bool removeSection(const QString& section) override;
    QStringList valueNames(const QString& section) const override;

    // Every write fails while set (a full disk, a read-only store).
    void setFailWrites(bool fail) { m_failWrites = fail; }
    QStringList sectionNames() const { return m_sections.keys(); }

private:
    QMap<QString, QMap<QString, QVariant>> m_sections;
    bool m_failWrites = false;
};

} // namespace qrl
