#pragma once
#include <QDialog>
#include <QPointer>

class CachedDataSet;
class QPlainTextEdit;
class QPushButton;

// The extra description of a purchase line: a memo over the current row's column of the
// caller's line data set. "&Ok" keeps the edited text in the line; "&Cancel" and Escape
// leave the line as it was when the dialog opened. Created for each use.
class TFrMemoLine : public QDialog {
    Q_OBJECT
public:
    explicit TFrMemoLine(QWidget* parent = nullptr);

    void bind(CachedDataSet* lines, const QString& field = QStringLiteral("MemoLine"));

    QPlainTextEdit* MemoDetail = nullptr;
    QPushButton* BtOk = nullptr;
    QPushButton* BtCancel = nullptr;

    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QPointer<CachedDataSet> m_lines;
    QString m_field;
};
