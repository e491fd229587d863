#include "execution/ParamsDialogSettings.h"

#include <algorithm>

namespace varnok {

namespace {

int ReadPositive(const TIniFile& ini, const char* section, int def) {
    const int value = ini.ReadInteger(section, "Width", def);
    return value > 0 ? value : def;
}

}  // namespace

TParamsDialogLayout ReadParamsDialogLayout(const TIniFile& ini) {
    TParamsDialogLayout layout;
    layout.width = ReadPositive(ini, kParamsDialogFormSection, layout.width);
    const int height = ini.ReadInteger(kParamsDialogFormSection, "Height", layout.height);
    if (height > 0) layout.height = height;
    layout.nameWidth = ReadPositive(ini, kParamsDialogGNameSection, layout.nameWidth);
    layout.typeWidth = ReadPositive(ini, kParamsDialogGTypeSection, layout.typeWidth);
    return layout;
}

void WriteParamsDialogLayout(TIniFile& ini, const TParamsDialogLayout& layout) {
    ini.WriteInteger(kParamsDialogFormSection, "Width", layout.width);
    ini.WriteInteger(kParamsDialogFormSection, "Height", layout.height);
    ini.WriteInteger(kParamsDialogGNameSection, "Width", layout.nameWidth);
    ini.WriteInteger(kParamsDialogGTypeSection, "Width", layout.typeWidth);
}

int ValueColumnWidth(int clientWidth, int nameWidth, int typeWidth, int minimum) {
    return std::max(clientWidth - nameWidth - typeWidth - 3, minimum);
}

}  // namespace varnok
