#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the next modal window from inside its own event loop, as a user would: `answer` runs
// once, with that window, as soon as it is on screen. Keep the object alive until the code under
// test that opens the window has returned.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* shown = QApplication::activeModalWidget();
            if (!shown || !shown->isVisible())
                return;
            m_poll.stop();
            m_answer(shown);
            m_answered = true;
        });
        m_poll.start();
    }
    bool answered() const { return m_answered; }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_poll;
    bool m_answered = false;
};
