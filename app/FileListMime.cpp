#include "FileListMime.h"

#include <QMimeData>
#include <QUrl>

namespace qrl::filelist {

namespace {

QStringList localFiles(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}

// "copy" or "cut", then one URL a line.
QList<QUrl> urlsOfGnomeList(const QByteArray& bytes)
{
    QList<QUrl> urls;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (!line.isEmpty())
            urls.append(QUrl::fromEncoded(line));
    }
    return urls;
}

} // namespace

std::unique_ptr<QMimeData> mimeOf(const QStringList& paths)
{
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    QByteArray gnome("copy");
    for (const QString& path : paths) {
        const QUrl url = QUrl::fromLocalFile(path);
        urls.append(url);
        gnome += '\n' + url.toEncoded();
    }
    data->setUrls(urls);
    data->setData(QString::fromLatin1(kGnomeCopiedFiles), gnome);
    return data;
}

QStringList filesOf(const QMimeData* data)
{
    if (!data)
        return {};
    if (data->hasUrls())
        return localFiles(data->urls());
    const QString gnome = QString::fromLatin1(kGnomeCopiedFiles);
    if (data->hasFormat(gnome))
        return localFiles(urlsOfGnomeList(data->data(gnome)));
    return {};
}

bool hasFiles(const QMimeData* data)
{
    return !filesOf(data).isEmpty();
}

} // namespace qrl::filelist
