#pragma once

#include <QWidget>

// The About box's banner: the product name, the version line and the notice lines in white on
// the banner's ground.
class CAboutDlgBanner : public QWidget {
    Q_OBJECT
public:
    explicit CAboutDlgBanner(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
