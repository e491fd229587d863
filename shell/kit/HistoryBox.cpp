#include "shell/kit/HistoryBox.h"

#include <QComboBox>
#include <vector>

#include "shell/IniConventions.h"
#include "shell/kit/MessageSink.h"

namespace varnok {

namespace {

std::vector<std::string> BoxItems(const QComboBox* box) {
    std::vector<std::string> items;
    items.reserve(static_cast<size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        items.push_back(box->itemText(i).toStdString());
    return items;
}

void ShowRuleError(const char* step, const std::exception& e) {
    Messages().Plain(
        QStringLiteral("Error in %1. [%2]").arg(QLatin1String(step), QString::fromUtf8(e.what())));
}

} // namespace

void ReadHistoryList(const TIniFile& ini, const std::string& section, QComboBox* box) {
    for (const std::string& entry : ReadHistoryList(ini, section))
        box->addItem(QString::fromStdString(entry));
    if (box->count() > 0) box->setCurrentIndex(0);
}

void WriteHistoryList(TIniFile& ini, const std::string& section, const QComboBox* box) {
    WriteHistoryList(ini, section, BoxItems(box));
}

QString fSortComboItems(QComboBox* box, int limit) {
    try {
        const QString text = box->currentText();
        std::vector<std::string> items = BoxItems(box);
        std::string top;
        try {
            top = fSortComboItems(items, text.toStdString(), limit);
        } catch (const std::exception& e) {
            ShowRuleError("SortItems", e);
            return text; // the box is still as it was
        }
        // Rebuilding the list clears an editable box's text: it comes back below.
        const QSignalBlocker quiet(box);
        box->clear();
        for (const std::string& item : items)
            box->addItem(QString::fromStdString(item));
        if (box->count() == 0) return {};
        box->setCurrentIndex(0);
        if (box->isEditable()) box->setEditText(box->itemText(0));
        return QString::fromStdString(top);
    } catch (const std::exception& e) {
        ShowRuleError("fSortComboItems", e);
        return box->currentText();
    }
}

} // namespace varnok
