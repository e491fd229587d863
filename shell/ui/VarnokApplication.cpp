#include "shell/ui/VarnokApplication.h"

#include "shell/kit/StandardErrorBox.h"

namespace varnok {

TVarnokApplication::TVarnokApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TVarnokApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

}  // namespace varnok
