#pragma once
// The application object: an error that no operation handles, escaping an
// event handler, ends in the toolkit's standard error box instead of
// terminating the program.
#include <QApplication>

namespace varnok {

class TVarnokApplication : public QApplication {
    Q_OBJECT
public:
    TVarnokApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace varnok
