#pragma once
// "Connect To DB": the login window. Asks for user name and password before
// a connect; its user box lists the user-name history (uLogins). It keeps
// the target of its caption and the user name and password of the last
// confirmed login between uses.
#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace varnok {

class TIniFile;

class TfmConnect : public QDialog {
    Q_OBJECT
public:
    explicit TfmConnect(QWidget* parent = nullptr);

    // Places a user name and password in the window for the next AskLogin
    // with prefill (a saved connection's, say).
    void SetLogin(const QString& user, const QString& password);
    QString UserName() const { return user_; }
    QString Password() const { return password_; }
    QString Target() const { return target_; }

    // The limit of the history rule (the DropDownLines option), asked each
    // time a login is confirmed.
    void SetDropDownLines(std::function<int()> lines) { dropDownLines_ = std::move(lines); }

    // Caption "Connect To " + target, focus in the password; with prefill the
    // boxes first show the held user name and password, without it whatever
    // they showed when last closed. On "Ok" the typed user goes to the top of
    // the history and becomes the held user name, the password text the held
    // password. True when "Ok" was chosen.
    bool AskLogin(const QString& target, bool prefill);

    // The user-name history in section uLogins.
    void LoadHistory(const TIniFile& ini);
    void SaveHistory(TIniFile& ini) const;

    QComboBox* cbUserName() const { return cbUserName_; }
    QLineEdit* edPassword() const { return edPassword_; }
    QPushButton* btOk() const { return btOk_; }
    QPushButton* btCancel() const { return btCancel_; }

private:
    void OkClick();

    QString target_;
    QString user_;
    QString password_;
    std::function<int()> dropDownLines_;

    QComboBox* cbUserName_ = nullptr;
    QLineEdit* edPassword_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancel_ = nullptr;
};

}  // namespace varnok
