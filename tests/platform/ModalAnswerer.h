#pragma once

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

// Hands every modal window that opens to `answer` while it lives, so that a test drives the
// real boxes and dialogs and never hangs on one it did not expect. `seen` lists their classes.
class ModalAnswerer {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || std::exchange(pending_, true))
                return;
            // Answered from the event loop, as the timer does not fire again while its own
            // handler runs, and an answer may open the next box.
            QMetaObject::invokeMethod(
                modal,
                [this, modal] {
                    pending_ = false;
                    seen.append(modal->metaObject()->className());
                    answer_(modal);
                },
                Qt::QueuedConnection);
        });
        timer_.start(10);
    }

    QStringList seen;

private:
    std::function<void(QWidget*)> answer_;
    bool pending_ = false;
    QTimer timer_;
};
