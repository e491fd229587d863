#pragma once
// A message sink for tests: records every box instead of showing it, and
// answers questions with a preset answer.
#include <QString>
#include <ostream>
#include <vector>

#include "shell/kit/MessageSink.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace varnok::testing {

struct TRecordedBox {
    QString kind; // "plain", "information", "error", "question", "warning question"
    QString caption;
    QString text;
    bool defaultYes = false;
};

class TRecordingMessageSink : public TMessageSink {
public:
    void Plain(const QString& text) override { boxes.push_back({"plain", {}, text}); }
    void Information(const QString& caption, const QString& text) override {
        boxes.push_back({"information", caption, text});
    }
    void Error(const QString& caption, const QString& text) override {
        boxes.push_back({"error", caption, text});
    }
    bool AskYesNo(const QString& caption, const QString& text, bool defaultYes) override {
        boxes.push_back({"question", caption, text, defaultYes});
        return answerYes;
    }
    bool AskYesNoWarning(const QString& caption, const QString& text, bool defaultYes) override {
        boxes.push_back({"warning question", caption, text, defaultYes});
        return answerYes;
    }

    std::vector<TRecordedBox> boxes;
    bool answerYes = false;
};

} // namespace varnok::testing
