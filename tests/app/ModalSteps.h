// Steps on the modal dialogs a command opens, so that its modal loop does not hold the test.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace qrl::test {

// Hands the next modal dialog to `step` once it is up, so that a command's modal loop does not
// hold the test; `step` must close it. Gives up after about two seconds.
inline void onNextModal(std::function<void(QWidget*)> step, int triesLeft = 200)
{
    QTimer::singleShot(10, [step = std::move(step), triesLeft]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget())
            step(modal);
        else if (triesLeft > 0)
            onNextModal(std::move(step), triesLeft - 1);
    });
}

} // namespace qrl::test
