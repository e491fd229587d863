#pragma once
// The application object: an error that no operation handles, escaping an
// event handler, ends in the toolkit's standard error box instead of
// terminating the program.
#include <QApplication>
#include <functional>

namespace varnok {

class TVarnokApplication : public QApplication {
    Q_OBJECT
public:
    TVarnokApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one delivery; an exception escaping it goes to the standard error
    // box (an EAbort silently) and the event counts as not handled.
    static bool DeliverGuarded(const std::function<bool()>& deliver);
};

} // namespace varnok
