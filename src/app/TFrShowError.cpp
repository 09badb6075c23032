#include "app/TFrShowError.h"

#include "app/TDMConfig.h"
#include "app/ErrorReporting.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TFrShowError::TFrShowError(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrShowError"));
    setWindowTitle(QStringLiteral("Windows Error Message"));
    setFixedSize(344, 101);
    setModal(true);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::red);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    ErrorBox = new QPlainTextEdit(this);
    ErrorBox->setObjectName(QStringLiteral("ErrorBox"));
    ErrorBox->setReadOnly(true);
    ErrorBox->setGeometry(0, 0, 344, 65);
    ErrorBox->setFocusPolicy(Qt::ClickFocus);
    QPalette boxPal = ErrorBox->palette();
    boxPal.setColor(QPalette::Base, Qt::red);
    boxPal.setColor(QPalette::Text, Qt::white);
    ErrorBox->setPalette(boxPal);

    QFont bold = font();
    bold.setBold(true);

    TimeCount = new QLabel(this);
    TimeCount->setObjectName(QStringLiteral("TimeCount"));
    TimeCount->setFont(bold);
    TimeCount->setGeometry(8, 72, 100, 22);

    BOk = new QPushButton(QStringLiteral("Send Error"), this);
    BOk->setObjectName(QStringLiteral("BOk"));
    BOk->setFont(bold);
    BOk->setGeometry(120, 70, 105, 26);

    BCancel = new QPushButton(QStringLiteral("Don't Send"), this);
    BCancel->setObjectName(QStringLiteral("BCancel"));
    BCancel->setFont(bold);
    BCancel->setGeometry(232, 70, 105, 26);
    // The buttons keep the dialog's auto-default: Enter presses the focused one ("Don't Send"
    // when the window opens), as Space does.

    BDetails = new QPushButton(QStringLiteral("Details"), this);
    BDetails->setObjectName(QStringLiteral("BDetails"));
    BDetails->setGeometry(8, 70, 100, 26);
    BDetails->hide();
    DetailBox = new QPlainTextEdit(this);
    DetailBox->setObjectName(QStringLiteral("DetailBox"));
    DetailBox->setReadOnly(true);
    DetailBox->setGeometry(0, 101, 344, 130);
    DetailBox->hide();

    CloseTimer = new QTimer(this);
    CloseTimer->setObjectName(QStringLiteral("CloseTimer"));
    CloseTimer->setInterval(1000);

    connect(BOk, &QPushButton::clicked, this, &TFrShowError::BOkClick);
    connect(BCancel, &QPushButton::clicked, this, &TFrShowError::BCancelClick);
    connect(BDetails, &QPushButton::clicked, this, &TFrShowError::BDetailsClick);
    connect(CloseTimer, &QTimer::timeout, this, &TFrShowError::CloseTimerTick);
}

void TFrShowError::setDetails(const QString& text)
{
    m_details = text;
    BDetails->setText(tr("รายละเอียด"));
    BDetails->setVisible(!text.isEmpty());
}

void TFrShowError::BDetailsClick()
{
    m_held = true; // someone is reading: no countdown
    TimeCount->clear();
    DetailBox->setPlainText(m_details);
    DetailBox->show();
    BDetails->setEnabled(false);
    setFixedSize(344, 101 + 130);
}

void TFrShowError::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QString shown = m_errorText;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ErrorBox->setPlainText(shown);
    BCancel->setFocus();
    m_sent = false;
    m_held = false;
    m_count = 10;
    TimeCount->clear();
    if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    CloseTimer->start();
}

void TFrShowError::CloseTimerTick()
{
    if (m_sent || m_held)
        return;
    --m_count;
    if (m_count <= 1)
        BCancelClick();
}

void TFrShowError::BCancelClick()
{
    reject();
}

QString TFrShowError::mailSubject() const
{
    const QString company = DMConfig ? DMConfig->CompanyCode.trimmed() : QString();
    const QString caption = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
    return QStringLiteral("Error ") + company + QLatin1Char(' ') + caption;
}

QString TFrShowError::mailBody() const
{
    const QString user = DMConfig ? DMConfig->UserCode.trimmed() : QString();
    return QStringLiteral("[User = ") + user + QStringLiteral("] ") + QLatin1Char('\r')
           + QStringLiteral("Local IP = ") + LocalIp() + QLatin1Char('\r') + m_errorText
           + (m_details.isEmpty() ? QString() : m_details + QLatin1Char('\r'));
}

void TFrShowError::BOkClick()
{
    m_sent = true; // the countdown stops here, so a late press still mails
    CloseTimer->stop();
    if (DMConfig)
        DMConfig->SendErrorMail(mailSubject(), mailBody());
    accept();
}

void TFrShowError::done(int r)
{
    CloseTimer->stop();
    QDialog::done(r);
}
