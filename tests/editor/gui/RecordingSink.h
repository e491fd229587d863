#pragma once
// A message sink that records the boxes instead of showing them.
#include "shell/kit/MessageSink.h"

#include <QStringList>

namespace varnok::testing {

class TRecordingSink : public TMessageSink {
public:
    void Plain(const QString& text) override { boxes << "plain|" + text; }
    void Information(const QString& caption, const QString& text) override {
        boxes << "info|" + caption + "|" + text;
    }
    void Error(const QString& caption, const QString& text) override {
        boxes << "error|" + caption + "|" + text;
    }
    bool AskYesNo(const QString& caption, const QString& text, bool) override {
        boxes << "ask|" + caption + "|" + text;
        return false;
    }
    QStringList boxes;
};

} // namespace varnok::testing
