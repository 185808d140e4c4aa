#include "LogFileWindow.h"

#include "LogFile.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

LogFileWindow::LogFileWindow() : QWidget(nullptr, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

LogFileWindow::~LogFileWindow()
{
    if (m_log)
        m_log->windowDestroyed();
}

bool LogFileWindow::Create(QWidget* parent)
{
    if (parent)
        setParent(parent, Qt::Window);
    setWindowTitle(QStringLiteral("LogFile Window"));
    placeOnScreen();
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("logList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->setUniformItemSizes(true);
    m_list->setFrameShape(QFrame::StyledPanel);
    QPalette pal = m_list->palette();
    pal.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    pal.setColor(QPalette::Text, Qt::black);
    // The selected row keeps the silver background and shows white text.
    pal.setColor(QPalette::Highlight, QColor(0xC0, 0xC0, 0xC0));
    pal.setColor(QPalette::HighlightedText, Qt::white);
    m_list->setPalette(pal);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    setFocusProxy(m_list);
    return true;
}

void LogFileWindow::placeOnScreen()
{
    constexpr int kInset = 10;
    const QSize size(600, 300);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        setGeometry(kInset, kInset, size.width(), size.height());
        return;
    }
    const QRect area = screen->availableGeometry();
    resize(size.boundedTo(area.size() - QSize(2 * kInset, 2 * kInset)));
    // The position of a window is that of its frame: the title bar stays on the screen too.
    move(area.topLeft() + QPoint(kInset, kInset));
}

void LogFileWindow::keepOver(QWidget* mainWindow)
{
    if (!mainWindow || parentWidget() == mainWindow)
        return;
    const QPoint at = pos();
    const QSize size = this->size();
    const bool shown = isVisible();
    setParent(mainWindow, windowFlags() | Qt::Window);
    move(at);
    resize(size);
    if (shown)
        show();
}

int LogFileWindow::addRow(const QString& text)
{
    m_list->addItem(text);
    return m_list->count() - 1;
}

void LogFileWindow::selectLast()
{
    if (m_list->count() > 0) {
        m_list->setCurrentRow(m_list->count() - 1);
        m_list->scrollToBottom();
    }
}

int LogFileWindow::AddText(const QString& text)
{
    if (text.isEmpty())
        return -1;
    int last = -1;
    for (const QString& row : text.split(QStringLiteral("\r\n")))
        last = addRow(row);
    selectLast();
    return last;
}

int LogFileWindow::AddLine(const QString& text)
{
    if (text.isEmpty())
        return -1;
    const int index = addRow(text);
    selectLast();
    return index;
}

void LogFileWindow::destroyWindow()
{
    m_log = nullptr;
    close();
}
