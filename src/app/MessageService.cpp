#include "app/MessageService.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPalette>
#include <QQueue>

namespace {
struct State {
    bool scripted = false;
    QQueue<bool> answers;
    QList<MessageService::Shown> shown;
    std::function<int(QDialog*)> dialogHook;
};
State& st()
{
    static State s;
    return s;
}

QString appTitle()
{
    const QString t = QApplication::applicationDisplayName();
    return t.isEmpty() ? QStringLiteral("Namkhao") : t;
}

void showBox(QMessageBox::Icon icon, MessageService::Kind kind, const QString& text, const QString& title)
{
    st().shown.append({kind, text, title});
    if (st().scripted)
        return;
    QMessageBox box(icon, title.isEmpty() ? appTitle() : title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
} // namespace

bool MessageService::confirm(const QString& text, const QColor& background, const QColor& foreground)
{
    st().shown.append({Kind::Question, text, QString()});
    if (st().scripted)
        return st().answers.isEmpty() ? false : st().answers.dequeue();
    QMessageBox box(QMessageBox::Question, appTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    if (background.isValid()) {
        QPalette pal = box.palette();
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::WindowText, foreground);
        box.setAutoFillBackground(true);
        box.setPalette(pal);
        box.setStyleSheet(QStringLiteral("QMessageBox { background-color: %1; } QMessageBox QLabel { color: %2; }")
                              .arg(background.name(), foreground.name()));
    }
    // The close box gives No.
    return box.exec() == QMessageBox::Yes;
}

void MessageService::information(const QString& text, const QString& title)
{
    showBox(QMessageBox::Information, Kind::Information, text, title);
}

void MessageService::warning(const QString& text, const QString& title)
{
    showBox(QMessageBox::Warning, Kind::Warning, text, title);
}

void MessageService::error(const QString& text, const QString& title)
{
    showBox(QMessageBox::Critical, Kind::Error, text, title);
}

int MessageService::execDialog(QDialog* dialog)
{
    if (st().scripted) {
        if (st().dialogHook)
            return st().dialogHook(dialog);
        dialog->reject();
        return QDialog::Rejected;
    }
    return dialog->exec();
}

void MessageService::setScripted(bool on)
{
    st().scripted = on;
    st().answers.clear();
    st().shown.clear();
    st().dialogHook = nullptr;
}

bool MessageService::scripted()
{
    return st().scripted;
}

void MessageService::queueAnswer(bool yes)
{
    st().answers.enqueue(yes);
}

const QList<MessageService::Shown>& MessageService::shown()
{
    return st().shown;
}

QString MessageService::lastText()
{
    return st().shown.isEmpty() ? QString() : st().shown.last().text;
}

void MessageService::clearShown()
{
    st().shown.clear();
}

void MessageService::setDialogHook(std::function<int(QDialog*)> hook)
{
    st().dialogHook = std::move(hook);
}
