#pragma once
// "Confirm Execute": shown before a statement whose estimates or missing
// WHERE clause call for a warning. Created once at start-up and reused; the
// statement text is loaded first (SetSQLText), then ShowWarnings tells why
// and waits for one of the three answers.
#include <QDialog>

#include "execution/RunWarnings.h"

class QLabel;
class QPushButton;
class QsciScintilla;

namespace varnok {

inline constexpr const char* kConfirmDlgCaption = "Confirm Execute";

class TfmConfirmDlg : public QDialog {
    Q_OBJECT
public:
    explicit TfmConfirmDlg(QWidget* parent = nullptr);

    // The statement text shown read-only with the editor's highlighting.
    void SetSQLText(const QString& text);
    // Fills the message and puts the focus on "Run this SQL" (ShowWarnings
    // without the modal loop).
    void PrepareWarnings(TRunWarnings warnings, std::int32_t estimatedCost, std::int32_t estimatedRows);
    // Shows the window modally, centred on the main window. "Run this SQL"
    // answers Run, "Skip this SQL" and the Escape key Skip, "Abort Script"
    // Abort, the close box Closed.
    TConfirmAnswer ShowWarnings(TRunWarnings warnings, std::int32_t estimatedCost, std::int32_t estimatedRows);

    QLabel* Image1() const { return image_; }
    QLabel* lbMessage() const { return message_; }
    QsciScintilla* mmSQLText() const { return sqlText_; }
    QPushButton* btRun() const { return btRun_; }
    QPushButton* btSkip() const { return btSkip_; }
    QPushButton* Button4() const { return btAbort_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CentreOnParent();

    QLabel* image_;
    QLabel* message_;
    QsciScintilla* sqlText_;
    QPushButton* btRun_;
    QPushButton* btSkip_;
    QPushButton* btAbort_;
};

}  // namespace varnok
