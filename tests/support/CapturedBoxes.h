#pragma once

#include "QtUserInterface.h"
#include "Screenshot.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace qrl::test {

// The program's own Qt message boxes, installed while it lives. After captureAs(name) the next box
// that comes up is grabbed into the screenshots as `name`, its text and the detail beneath it are
// kept, and it is answered with its OK button. For GUI tests only.
class CapturedBoxes : public QtUserInterface {
public:
    struct Box {
        QString text;
        QString detail;
    };

    CapturedBoxes() : m_previous(setUi(this)) {}
    ~CapturedBoxes() override { setUi(m_previous); }

    QList<Box> boxes;

    void captureAs(const QString& screenshot)
    {
        auto* poll = new QTimer(qApp);
        poll->setInterval(20);
        QObject::connect(poll, &QTimer::timeout, [this, poll, screenshot] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            poll->stop();
            poll->deleteLater();
            boxes.append({box->text(), box->informativeText()});
            saveScreenshot(box, screenshot);
            box->button(QMessageBox::Ok)->click();
        });
        poll->start();
    }

private:
    UserInterface* m_previous;
};

} // namespace qrl::test
