#pragma once

#include <QList>
#include <QPixmap>
#include <QTabBar>

// The tab strip under a project window: one tab per resource kind (0 "Fonts", 1 "Macros",
// 2 "Host Files-Forms", 3 "Programs"), all of one width (120 pixels, or more when the widest
// caption needs it in bold), each with the kind's 16 pixel image. The tabs
// hold no text of their own: the strip draws each kind's image and caption itself, the caption of
// the selected tab in bold.
class CQRLTabCtrl : public QTabBar {
    Q_OBJECT
public:
    static constexpr int kControlId = 130;
    static constexpr int kTabCount = 4;
    static constexpr int kTabWidth = 120;
    static constexpr int kTabHeight = 21;

    explicit CQRLTabCtrl(QWidget* parent = nullptr);

    // The caption of tab `index` from the string table; empty outside 0 to 3.
    static QString caption(int index);
    // The caption's font: weight 700 on the selected tab, 500 on the others.
    QFont captionFont(bool selected) const;
    // Where the image of tab `index` is drawn: 4 pixels right of the tab's top-left corner and 1
    // down, or 8 right and 3 down on the selected tab, so that the content moves in with the raised
    // tab and stays inside its outline. The caption follows 20 pixels further right.
    QPoint contentOrigin(int index) const;
    // The image of tab `index`; a null pixmap outside 0 to 3.
    QPixmap image(int index) const;

protected:
    void tabInserted(int index) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    int tabWidth() const;

    QList<QPixmap> m_images;
};
