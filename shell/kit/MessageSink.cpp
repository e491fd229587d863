#include "shell/kit/MessageSink.h"

#include "shell/kit/ApplicationTitle.h"

#include <QApplication>
#include <QMessageBox>

namespace varnok {

namespace {

TDialogMessageSink& DialogSink() {
    static TDialogMessageSink sink;
    return sink;
}

TMessageSink*& CurrentSink() {
    static TMessageSink* current = &DialogSink();
    return current;
}

QString AppTitle() {
    return ApplicationTitle();
}

} // namespace

void TDialogMessageSink::Plain(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void TDialogMessageSink::Information(const QString& caption, const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), caption, text);
}

void TDialogMessageSink::Error(const QString& caption, const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), caption, text);
}

bool TDialogMessageSink::AskYesNo(const QString& caption, const QString& text, bool defaultYes) {
    const auto answer =
        QMessageBox::question(QApplication::activeWindow(), caption, text, QMessageBox::Yes | QMessageBox::No,
                              defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool TDialogMessageSink::AskYesNoWarning(const QString& caption, const QString& text, bool defaultYes) {
    const auto answer =
        QMessageBox::warning(QApplication::activeWindow(), caption, text, QMessageBox::Yes | QMessageBox::No,
                             defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return answer == QMessageBox::Yes;
}

TMessageSink& Messages() {
    return *CurrentSink();
}

TScopedMessageSink::TScopedMessageSink(TMessageSink& sink) : previous_(CurrentSink()) {
    CurrentSink() = &sink;
}

TScopedMessageSink::~TScopedMessageSink() {
    CurrentSink() = previous_;
}

} // namespace varnok
