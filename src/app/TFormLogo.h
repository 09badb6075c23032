#pragma once
#include <QWidget>

// The splash window shown from start until the company database first connects.
class TFormLogo : public QWidget {
    Q_OBJECT
public:
    explicit TFormLogo(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap m_picture;
};
