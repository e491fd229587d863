#include "connections/ui/QuickConnectMenu.h"

#include <QAction>
#include <QIcon>
#include <QMenu>

namespace varnok {

void RebuildQuickConnectMenu(QMenu& menu, const TConnectionRegistry& registry, const std::vector<QPixmap>& pictures,
                             std::function<void(std::size_t index)> connectSaved) {
    menu.clear();
    for (std::size_t i = 0; i < registry.ConnectionCount(); ++i) {
        const TConnectionsParam& record = registry.ConnectionAt(i);
        // "&" in a name is shown as itself, not taken as a mnemonic marker.
        QString caption = QString::fromStdString(record.Name);
        caption.replace(u'&', QLatin1String("&&"));
        QAction* item = menu.addAction(caption);
        if (record.Ico >= 0 && static_cast<std::size_t>(record.Ico) < pictures.size())
            item->setIcon(QIcon(pictures[static_cast<std::size_t>(record.Ico)]));
        QObject::connect(item, &QAction::triggered, &menu, [connectSaved, i] {
            if (connectSaved) connectSaved(i);
        });
    }
}

}  // namespace varnok
