#include "shell/kit/StandardErrorBox.h"

#include "shell/kit/ApplicationTitle.h"

#include "shell/kit/MessageSink.h"

namespace varnok {

QString StandardErrorText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + u'.';
    return message;
}

void ShowStandardError(const QString& message) {
    Messages().Error(ApplicationTitle(), StandardErrorText(message));
}

void ShowCurrentException() {
    try {
        throw;
    } catch (const EAbort&) {
        // A Cancel: the operation is abandoned silently.
    } catch (const std::exception& e) {
        ShowStandardError(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowStandardError(QStringLiteral("Unknown error"));
    }
}

} // namespace varnok
