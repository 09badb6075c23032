#pragma once
#include <QLabel>

// The description beside a code field. It takes the room its layout gives it; a text too
// long for that room ends in "…" instead of running under the next control, and the whole
// text is then its tooltip.
class TDescLabel : public QLabel {
    Q_OBJECT
public:
    explicit TDescLabel(QWidget* parent = nullptr);
    QSize minimumSizeHint() const override;
    // True when the text is shortened to fit.
    bool elided() const;

protected:
    void paintEvent(QPaintEvent* e) override;
};
