#include "shell/kit/ApplicationTitle.h"

namespace varnok {

namespace {
QString& Title() {
    static QString title = QString::fromLatin1(kProgramTitle);
    return title;
}
} // namespace

QString ApplicationTitle() {
    return Title();
}

void SetApplicationTitle(const QString& title) {
    Title() = title;
}

} // namespace varnok
