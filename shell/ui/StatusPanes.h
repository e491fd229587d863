#pragma once
// The status bar panes: cost (sbCostInfo, 120 pixels), glyph (25 pixels) and
// the message pane (sbMessage, bold Verdana) taking the rest, which can blink in red (1000 ms on, 1000 ms off).
#include <QObject>
#include <QTimer>

class QLabel;
class QStatusBar;

namespace varnok {

class TStatusPanes : public QObject {
    Q_OBJECT
public:
    static constexpr int kCostWidth = 120;
    static constexpr int kGlyphWidth = 25;
    static constexpr int kBlinkMs = 1000;

    explicit TStatusPanes(QStatusBar* bar);

    QLabel* pnCost() const { return cost_; }
    QLabel* pnGlyph() const { return glyph_; }
    QLabel* pnMessage() const { return message_; }

    void SetCost(const QString& text);
    // Shows text in the message pane; blink starts the red blinking, which
    // lasts until the next message.
    void SetMessage(const QString& text, bool blink = false);
    bool IsBlinking() const { return blink_.isActive(); }
    bool IsRedNow() const { return red_; }

private:
    void Toggle();
    void Paint(bool red);

    QLabel* cost_;
    QLabel* glyph_;
    QLabel* message_;
    QTimer blink_;
    bool red_ = false;
};

} // namespace varnok
