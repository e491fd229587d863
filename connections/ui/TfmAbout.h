#pragma once
// "About": the version label, the data access layer's label, the program's
// web address as a link (blue, hand cursor) and an "OK" button that is both
// the default and the cancel button.
#include <QDialog>
#include <QLabel>
#include <QUrl>
#include <functional>

class QPushButton;

namespace varnok {

// A label that reports a click on it.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent = nullptr);

    // Set at start-up: the layer label names the layer and gives the
    // connection component's Version text.
    void SetLayerVersion(const QString& version);
    // How the link is opened; the desktop's default handler unless replaced.
    void SetLinkOpener(std::function<void(const QUrl&)> opener) { openLink_ = std::move(opener); }

    void ShowAbout() { exec(); }
    void LinkClick();

    QLabel* lbVersion() const { return lbVersion_; }
    QLabel* lbLayer() const { return lbLayer_; }
    TLinkLabel* lbLink() const { return lbLink_; }
    QPushButton* btOk() const { return btOk_; }

private:
    std::function<void(const QUrl&)> openLink_;
    QLabel* lbVersion_ = nullptr;
    QLabel* lbLayer_ = nullptr;
    TLinkLabel* lbLink_ = nullptr;
    QPushButton* btOk_ = nullptr;
};

}  // namespace varnok
