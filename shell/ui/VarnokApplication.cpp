#include "shell/ui/VarnokApplication.h"

#include "shell/kit/StandardErrorBox.h"

namespace varnok {

TVarnokApplication::TVarnokApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVarnokApplication::notify(QObject* receiver, QEvent* event) {
    return DeliverGuarded([&] { return QApplication::notify(receiver, event); });
}

bool TVarnokApplication::DeliverGuarded(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

} // namespace varnok
