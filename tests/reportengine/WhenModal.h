#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Acts on the next modal window once it is shown (polling, so that it works
// whichever way the window is opened); call it right before the exec().
inline void whenModal(std::function<void(QWidget*)> act, int attempts = 300) {
    QTimer::singleShot(10, qApp, [act = std::move(act), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            act(modal);
            return;
        }
        if (attempts > 0)
            whenModal(std::move(act), attempts - 1);
    });
}

} // namespace testsupport
