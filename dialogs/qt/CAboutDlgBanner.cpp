#include "CAboutDlgBanner.h"

#include <QFont>
#include <QPainter>

namespace {

struct BannerText {
    const char* text;
    int x;
    int y;
    int pixelHeight;
    int weight;
};

constexpr BannerText kTexts[] = {
    {"Quorlyn", 184, 12, 28, 700},
    {"Version :  3.2.02", 184, 64, 14, 400},
    {"Copyright (C) Zentrix. All rights reserved.", 184, 90, 14, 400},
    {"", 184, 110, 14, 400},
    {"", 184, 130, 14, 400},
};

// Half the box's default height less the button row: the banner fills the folded box.
constexpr int kBannerHeight = 160;

} // namespace

CAboutDlgBanner::CAboutDlgBanner(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("banner"));
    setFixedHeight(kBannerHeight);
}

void CAboutDlgBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x1f, 0x3a, 0x68));
    painter.setPen(Qt::white);
    for (const BannerText& line : kTexts) {
        if (!*line.text)
            continue;
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(line.pixelHeight);
        font.setWeight(line.weight >= 700 ? QFont::Bold : QFont::Normal);
        painter.setFont(font);
        painter.drawText(QRect(line.x, line.y, width() - line.x, line.pixelHeight * 2),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromLatin1(line.text));
    }
}
