#include "ResourceCheckFile.h"

#include <QFile>

#include <new>

namespace {

std::function<void(const QString&)>& beforeRead()
{
    static std::function<void(const QString&)> hook;
    return hook;
}

} // namespace

void ResourceCheckFile::setBeforeRead(std::function<void(const QString& path)> hook)
{
    beforeRead() = std::move(hook);
}

ResourceCheckFile::ResourceCheckFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const qint64 size = file.size();
    if (size < 0)
        return;
    if (beforeRead())
        beforeRead()(path);
    // Never mapped: a mapped file cut short under us faults on the first page past its new end.
    // One read of the size the file system gave; fewer bytes mean the file shrank meanwhile.
    std::vector<unsigned char> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return;
    }
    if (size > 0 && file.read(reinterpret_cast<char*>(bytes.data()), size) != size)
        return;
    m_bytes = std::move(bytes);
    m_ok = true;
}
