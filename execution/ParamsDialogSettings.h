#pragma once
// What the parameters window keeps in the settings file: its size
// (ParamsDialogForm) and the widths of the Name and Type columns
// (ParamsDialogGName, ParamsDialogGType), and how the Value column takes the
// rest of the grid's width.
#include "shell/IniFile.h"

namespace varnok {

inline constexpr const char* kParamsDialogFormSection = "ParamsDialogForm";
inline constexpr const char* kParamsDialogGNameSection = "ParamsDialogGName";
inline constexpr const char* kParamsDialogGTypeSection = "ParamsDialogGType";

struct TParamsDialogLayout {
    int width = 400;
    int height = 400;
    int nameWidth = 75;
    int typeWidth = 75;
};

// A missing key, or a size that is not positive, keeps the default.
TParamsDialogLayout ReadParamsDialogLayout(const TIniFile& ini);
void WriteParamsDialogLayout(TIniFile& ini, const TParamsDialogLayout& layout);

// client width − first column − second column − 3, never below minimum.
int ValueColumnWidth(int clientWidth, int nameWidth, int typeWidth, int minimum);

}  // namespace varnok
