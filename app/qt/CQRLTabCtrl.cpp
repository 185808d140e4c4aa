#include "CQRLTabCtrl.h"

#include "AppTextIds.h"
#include "KindIcons.h"
#include "StringTable.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, CQRLTabCtrl::kTabCount> kCaptionIds = {
    qrl::ids::kTabFonts, qrl::ids::kTabMacros, qrl::ids::kTabHostFiles, qrl::ids::kTabPrograms};
constexpr int kImageSize = 16;
constexpr QPoint kContentOffset(4, 1);
constexpr QPoint kSelectedContentOffset(8, 3);
constexpr int kCaptionOffset = 20;
constexpr int kCaptionPointSize = 8;
constexpr int kSelectedWeight = 700;
constexpr int kNormalWeight = 500;

} // namespace

CQRLTabCtrl::CQRLTabCtrl(QWidget* parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("tabStrip"));
    setProperty("controlId", kControlId);
    setShape(QTabBar::RoundedSouth);
    setExpanding(false);
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setDrawBase(true);
    for (int kind = 0; kind < kTabCount; ++kind)
        m_images.append(qrl::icons::kindImage(kind, kImageSize));
}

QString CQRLTabCtrl::caption(int index)
{
    if (index < 0 || index >= kTabCount)
        return {};
    return qrl::text(kCaptionIds[static_cast<std::size_t>(index)]);
}

QFont CQRLTabCtrl::captionFont(bool selected) const
{
    QFont f = font();
    f.setPointSize(kCaptionPointSize);
    f.setWeight(static_cast<QFont::Weight>(selected ? kSelectedWeight : kNormalWeight));
    return f;
}

QPoint CQRLTabCtrl::contentOrigin(int index) const
{
    const QRect r = tabRect(index);
    return r.topLeft() + (index == currentIndex() ? kSelectedContentOffset : kContentOffset);
}

QPixmap CQRLTabCtrl::image(int index) const
{
    return index >= 0 && index < m_images.size() ? m_images.at(index) : QPixmap();
}

int CQRLTabCtrl::tabWidth() const
{
    // The tabs share one width: the classic one, or what the widest caption needs in bold, so
    // that a larger desktop font does not cut a caption when its tab is selected.
    const QFontMetrics bold(captionFont(true));
    int width = kTabWidth;
    for (int i = 0; i < kTabCount; ++i)
        width = std::max(width, kSelectedContentOffset.x() + kCaptionOffset +
                                    bold.horizontalAdvance(caption(i)) + kContentOffset.x());
    return width;
}

void CQRLTabCtrl::tabInserted(int index)
{
    // The tabs hold no text, so a screen reader learns each kind's name from here.
    QTabBar::tabInserted(index);
    for (int i = index; i < count(); ++i)
        setAccessibleTabName(i, caption(i));
}

QSize CQRLTabCtrl::tabSizeHint(int) const
{
    return {tabWidth(), kTabHeight};
}

QSize CQRLTabCtrl::minimumTabSizeHint(int) const
{
    return {tabWidth(), kTabHeight};
}

void CQRLTabCtrl::paintEvent(QPaintEvent* event)
{
    // The base class draws the tab shapes; the tabs carry no text or icon, so only the kinds'
    // images and captions are added here.
    QTabBar::paintEvent(event);
    QPainter p(this);
    const int tabs = std::min(count(), kTabCount);
    for (int i = 0; i < tabs; ++i) {
        const bool selected = i == currentIndex();
        const QPoint at = contentOrigin(i);
        p.drawPixmap(at, m_images.at(i));
        p.setFont(captionFont(selected));
        p.setPen(palette().color(QPalette::WindowText));
        const QRect textRect(at.x() + kCaptionOffset, at.y(), tabRect(i).right() - at.x() - kCaptionOffset,
                             kImageSize);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption(i));
    }
}
