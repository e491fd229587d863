#include "shell/ui/ServerBox.h"

#include <QComboBox>

#include "dbaccess/SqlHosts.h"

namespace varnok {

void FillServerBox(QComboBox* cbServerName, const std::vector<std::string>& serverNames,
                   const QString& savedName) {
    const std::vector<std::string> sorted = SortedServerNames(serverNames);
    cbServerName->clear();
    for (const std::string& name : sorted)
        cbServerName->addItem(QString::fromStdString(name));
    if (const auto at = ServerNameToSelect(sorted, savedName.toStdString()))
        cbServerName->setCurrentIndex(static_cast<int>(*at));
}

} // namespace varnok
