#pragma once
// Helpers of the connection windows' GUI tests: a message sink that records
// every box instead of showing it, and acting on a modal window once exec()
// has shown it.
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "shell/kit/MessageSink.h"

namespace varnok::testing {

struct TRecordedBox {
    QString kind;  // "plain", "information", "error", "question"
    QString caption;
    QString text;
};

class TRecordingSink : public TMessageSink {
public:
    void Plain(const QString& text) override { boxes.push_back({"plain", {}, text}); }
    void Information(const QString& caption, const QString& text) override {
        boxes.push_back({"information", caption, text});
    }
    void Error(const QString& caption, const QString& text) override { boxes.push_back({"error", caption, text}); }
    bool AskYesNo(const QString& caption, const QString& text, bool defaultYes) override {
        boxes.push_back({"question", caption, text});
        questionDefaultYes.push_back(defaultYes);
        return answerYes;
    }

    std::vector<TRecordedBox> boxes;
    std::vector<bool> questionDefaultYes;
    bool answerYes = false;
};

// Runs action once window is visible (inside its exec()). A window that is
// not shown within five seconds fails the test and is left alone.
inline void WhenShown(QWidget* window, std::function<void()> action) {
    auto* timer = new QTimer(window);
    timer->setInterval(5);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, window, [window, timer, clock, action = std::move(action)] {
        if (window->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action();
        } else if (clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the window was never shown";
        }
    });
    timer->start();
}

}  // namespace varnok::testing
