#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QWidget>

namespace qrl::test {

// Saves what a widget shows for a person to look at. Screenshots land beside the test binaries
// (QUORLYN_BIN_DIR, given to every test), never in the sources.
inline void saveScreenshot(const QImage& image, const QString& name)
{
    const QString dir = QStringLiteral(QUORLYN_BIN_DIR "/../screenshots");
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name);
}

inline void saveScreenshot(QWidget* widget, const QString& name)
{
    saveScreenshot(widget->grab().toImage(), name);
}

} // namespace qrl::test
