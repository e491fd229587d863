#pragma once
// Start-up step 14: the server box lists the server names of the
// installation, sorted, with the saved server name selected when it is
// among them and the first entry otherwise.
#include <QString>
#include <string>
#include <vector>

class QComboBox;

namespace varnok {

void FillServerBox(QComboBox* cbServerName, const std::vector<std::string>& serverNames,
                   const QString& savedName);

} // namespace varnok
