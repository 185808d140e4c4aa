#include "ProjectDrop.h"

#include "FileListMime.h"

#include <QDropEvent>
#include <QWidget>

ProjectDrop::ProjectDrop(QWidget* area, Open open) : QObject(area), m_open(std::move(open))
{
    area->setAcceptDrops(true);
    area->installEventFilter(this);
}

bool ProjectDrop::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    // A drag a project window refused comes on to here through its parents: it is no drop on
    // the free area.
    const auto* area = static_cast<QWidget*>(watched);
    const bool onProjectWindow = area->childAt(drop->position().toPoint()) != nullptr;
    if (drop->source() || onProjectWindow || !qrl::filelist::hasFiles(drop->mimeData())) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // The opens may ask questions: they run after the drop, so that the file manager the files
        // came from is not kept waiting behind a message box.
        const QStringList files = qrl::filelist::filesOf(drop->mimeData());
        QMetaObject::invokeMethod(
            this, [this, files] { m_open(files); }, Qt::QueuedConnection);
    }
    return true;
}
