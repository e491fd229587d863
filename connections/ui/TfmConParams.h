#pragma once
// "Edit Connection": edits one saved connection and can test it.
// Tab "Params" holds the connection fields and the picture chooser, tab
// "After Connect Script" the script; buttons "Test", "Ok" (default), "Cancel".
#include <QDialog>
#include <QPixmap>
#include <QStringList>
#include <vector>

#include "connections/ConnectionForm.h"
#include "connections/ConnectionsParam.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace varnok {

class TIniFile;

inline constexpr const char* kConnectParamFormSection = "ConnectParamForm";

class TfmConParams : public QDialog {
    Q_OBJECT
public:
    explicit TfmConParams(QWidget* parent = nullptr);

    // The manager's picture list (pixmaps are shared, not copied); the
    // chooser takes one entry per picture the first time a record is edited.
    void SetPictures(std::vector<QPixmap> pictures) { pictures_ = std::move(pictures); }
    // The server names of the installation, for the "Server Name" box.
    void SetServerNames(const QStringList& names);
    // How "Test" opens its temporary connection (the main window plugs in
    // the real connection; tests a stand-in).
    void SetConnectionTester(TConnectionTester tester) { tester_ = std::move(tester); }

    // Shows the window modally on record; on "Ok" writes every field back
    // and returns true. On "Cancel" the record is left as it was.
    bool EditConnection(TConnectionsParam& record);

    // The controls' values, and filling them (steps 1-2 of an edit).
    TConnectionFormValues FormValues() const;
    void ShowFormValues(const TConnectionFormValues& values);

    // "Test": a temporary connection with the window's values, opened and
    // closed; "Test connection was successful." or the error box.
    void TestClick();

    // Size kept in ConnectParamForm: written at close; read back when present.
    void LoadFormSize(const TIniFile& ini);
    void SaveFormSize(TIniFile& ini) const;

    // Controls, named as the window's developer knows them.
    QTabWidget* pcParams() const { return pcParams_; }
    QLineEdit* edName() const { return edName_; }
    QComboBox* cbServerName() const { return cbServerName_; }
    QComboBox* cbDataBase() const { return cbDataBase_; }
    QComboBox* cbUser() const { return cbUser_; }
    QLineEdit* edPassword() const { return edPassword_; }
    QCheckBox* chAskPassword() const { return chAskPassword_; }
    QComboBox* cbPicture() const { return cbPicture_; }
    QPlainTextEdit* meScript() const { return meScript_; }
    QPushButton* btTest() const { return btTest_; }
    QPushButton* btOk() const { return btOk_; }
    QPushButton* btCancel() const { return btCancel_; }

private:
    void OkClick();
    void FillPictureChooser();

    std::vector<QPixmap> pictures_;
    TConnectionTester tester_;

    QTabWidget* pcParams_ = nullptr;
    QLineEdit* edName_ = nullptr;
    QComboBox* cbServerName_ = nullptr;
    QComboBox* cbDataBase_ = nullptr;
    QComboBox* cbUser_ = nullptr;
    QLineEdit* edPassword_ = nullptr;
    QCheckBox* chAskPassword_ = nullptr;
    QComboBox* cbPicture_ = nullptr;
    QPlainTextEdit* meScript_ = nullptr;
    QPushButton* btTest_ = nullptr;
    QPushButton* btOk_ = nullptr;
    QPushButton* btCancel_ = nullptr;
};

}  // namespace varnok
