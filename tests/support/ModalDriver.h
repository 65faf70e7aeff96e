#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace testsupport {

// Acts on the modal dialog that the next exec() opens: `act` runs once it is
// the active modal widget. What it finds is for the test to record and
// assert after exec() returns.
inline void whenModalOpens(std::function<void(QWidget*)> act, int attempts = 200) {
    QTimer::singleShot(10, [act = std::move(act), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            return;
        }
        if (attempts > 0)
            whenModalOpens(std::move(act), attempts - 1);
    });
}

// Saves a picture of the widget under the build folder for review.
inline QString savePicture(QWidget* widget, const QString& name) {
    const QString path = QCoreApplication::applicationDirPath() + "/" + name + ".png";
    widget->grab().save(path);
    return path;
}

} // namespace testsupport
