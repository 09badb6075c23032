#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The red error dialog: shows the error text, offers to mail it to the support desk and
// closes itself nine seconds after it opened unless "Send Error" was pressed.
class TFrShowError : public QDialog {
    Q_OBJECT
public:
    explicit TFrShowError(QWidget* parent = nullptr);

    // The text shown (the error's message followed by a carriage return) and mailed.
    void setErrorText(const QString& text) { m_errorText = text; }
    const QString& errorText() const { return m_errorText; }
    // The technical text behind the error (the driver's words and the statement), shown
    // under "Details" and mailed with the error text.
    void setDetails(const QString& text);
    const QString& details() const { return m_details; }
    int countdown() const { return m_count; }
    bool sent() const { return m_sent; }

    // Subject and body of the mail for the current session and the shown text.
    QString mailSubject() const;
    QString mailBody() const;

    QPlainTextEdit* ErrorBox = nullptr;
    QPushButton* BOk = nullptr;
    QPushButton* BCancel = nullptr;
    QLabel* TimeCount = nullptr;
    QPushButton* BDetails = nullptr;   // only when there are details
    QPlainTextEdit* DetailBox = nullptr;
    QTimer* CloseTimer = nullptr;

public slots:
    void CloseTimerTick();
    void BOkClick();
    void BCancelClick();
    // Shows the details; the dialog then stays until the user closes it.
    void BDetailsClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int r) override;

private:
    QString m_errorText;
    QString m_details;
    bool m_held = false;
    int m_count = 10;
    bool m_sent = false;
};
