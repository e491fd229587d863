#pragma once
// Every message box of the program goes through one replaceable sink, so the
// windows never block inside a test: the default sink shows QMessageBox
// dialogs, tests install a recording sink with TScopedMessageSink.
#include <QString>

namespace varnok {

class TMessageSink {
public:
    virtual ~TMessageSink() = default;
    // A plain box (no icon) with the application title as caption.
    virtual void Plain(const QString& text) = 0;
    virtual void Information(const QString& caption, const QString& text) = 0;
    virtual void Error(const QString& caption, const QString& text) = 0;
    // A Yes/No question; defaultYes picks the default button. True means Yes.
    virtual bool AskYesNo(const QString& caption, const QString& text, bool defaultYes) = 0;
    // The same question with a warning icon, for answers that destroy
    // something (deleting a saved connection). Sinks that show no icons may
    // leave it to AskYesNo.
    virtual bool AskYesNoWarning(const QString& caption, const QString& text, bool defaultYes) {
        return AskYesNo(caption, text, defaultYes);
    }
};

// Shows real dialogs, parented to the active window.
class TDialogMessageSink : public TMessageSink {
public:
    void Plain(const QString& text) override;
    void Information(const QString& caption, const QString& text) override;
    void Error(const QString& caption, const QString& text) override;
    bool AskYesNo(const QString& caption, const QString& text, bool defaultYes) override;
    bool AskYesNoWarning(const QString& caption, const QString& text, bool defaultYes) override;
};

// The sink in use (the dialog sink unless one is installed).
TMessageSink& Messages();

// Installs a sink for its own lifetime and restores the previous one.
class TScopedMessageSink {
public:
    explicit TScopedMessageSink(TMessageSink& sink);
    ~TScopedMessageSink();
    TScopedMessageSink(const TScopedMessageSink&) = delete;
    TScopedMessageSink& operator=(const TScopedMessageSink&) = delete;

private:
    TMessageSink* previous_;
};

} // namespace varnok
