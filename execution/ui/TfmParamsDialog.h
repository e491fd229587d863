#pragma once
// "Bind Variables Dialog": asks for the values of a statement's parameters.
// Created once at start-up and reused for every statement with parameters;
// the values used with "Ok" are offered again for the rest of the run.
#include <QDialog>

#include "execution/ParamList.h"
#include "execution/ParamsDialogSettings.h"

class QPushButton;

namespace varnok {

class TParameterListEditor;
class TSettingsRegistry;

inline constexpr const char* kParamsDialogCaption = "Bind Variables Dialog";

class TfmParamsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfmParamsDialog(QWidget* parent = nullptr);

    // Loads params into the grid and shows the window modally, centred on
    // its parent. True exactly when it was closed with "Ok": every parameter
    // then holds its typed value (null for "Null" and for an empty value of a
    // non-text type). "Cancel", Escape or the close box change nothing.
    bool ShowParams(TParamList& params);

    // The grid part of ShowParams, without showing the window.
    void LoadParams(TParamList& params);

    // "Ok": applies the rows and closes the window; a value that does not
    // convert to its type is reported, its cell selected, and the window stays.
    void OkClick();
    // "Clear": every parameter with the type "String" and no value.
    void ClearClick();

    void LoadSettings(const TIniFile& ini);
    void SaveSettings(TIniFile& ini) const;

    TParameterListEditor* Grid() const { return grid_; }
    QPushButton* btClear() const { return btClear_; }
    QPushButton* btOk() const { return btOk_; }
    QPushButton* btCancel() const { return btCancel_; }

private:
    void CentreOnParent();

    TParameterListEditor* grid_;
    QPushButton* btClear_;
    QPushButton* btOk_;
    QPushButton* btCancel_;
};

// ParamsDialogForm, ParamsDialogGName and ParamsDialogGType at their places
// in the load and save order. The window must outlive settings.
void AddParamsDialogSettingsSteps(TSettingsRegistry& settings, TfmParamsDialog& window);

}  // namespace varnok
