#include "app/MessageService.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QQueue>

namespace {
struct State {
    bool scripted = false;
    QQueue<bool> answers;
    QQueue<int> choices;
    QList<MessageService::Shown> shown;
    std::function<int(QDialog*)> dialogHook;
    QString logPath;
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

QString kindName(MessageService::Kind kind)
{
    switch (kind) {
    case MessageService::Kind::Information:
        return QStringLiteral("information");
    case MessageService::Kind::Warning:
        return QStringLiteral("warning");
    case MessageService::Kind::Error:
        return QStringLiteral("error");
    case MessageService::Kind::Question:
        return QStringLiteral("question");
    case MessageService::Kind::ErrorDialog:
        return QStringLiteral("errordialog");
    }
    return {};
}

void record(const MessageService::Shown& s)
{
    st().shown.append(s);
    if (st().logPath.isEmpty())
        return;
    QFile f(st().logPath);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    const QJsonObject o{{QStringLiteral("kind"), kindName(s.kind)},
                        {QStringLiteral("text"), s.text},
                        {QStringLiteral("title"), s.title},
                        {QStringLiteral("details"), s.details}};
    f.write(QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n');
}

// Boxes never take a parent: the window active when a box opens may be one that is about
// to go (the splash is deleted as soon as the event loop runs, and it would take the box
// with it). A box of its own is modal for the whole program all the same.
void showBox(QMessageBox::Icon icon, MessageService::Kind kind, const QString& text, const QString& title,
             const QString& details = {})
{
    record({kind, text, title, details});
    if (st().scripted)
        return;
    QMessageBox box(icon, title.isEmpty() ? appTitle() : title, text, QMessageBox::Ok);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}
} // namespace

bool MessageService::confirm(const QString& text, const QColor& background, const QColor& foreground)
{
    record({Kind::Question, text, QString(), QString()});
    if (st().scripted)
        return st().answers.isEmpty() ? false : st().answers.dequeue();
    QMessageBox box(QMessageBox::Question, appTitle(), text, QMessageBox::Yes | QMessageBox::No);
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

int MessageService::choose(const QString& text, const QStringList& buttons, int escape, int no)
{
    record({Kind::Question, text, QString(), QString()});
    if (st().scripted)
        return st().choices.isEmpty() ? no : st().choices.dequeue();
    QMessageBox box(QMessageBox::Question, appTitle(), text);
    QList<QAbstractButton*> made;
    for (const QString& b : buttons)
        made << box.addButton(b, made.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::ActionRole);
    if (!made.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(made.first()));
        if (escape >= 0 && escape < made.size())
            box.setEscapeButton(made.at(escape));
    }
    box.exec();
    const int at = made.indexOf(box.clickedButton());
    return at < 0 ? escape : at;
}

void MessageService::information(const QString& text, const QString& title)
{
    showBox(QMessageBox::Information, Kind::Information, text, title);
}

void MessageService::warning(const QString& text, const QString& title)
{
    showBox(QMessageBox::Warning, Kind::Warning, text, title);
}

void MessageService::error(const QString& text, const QString& title, const QString& details)
{
    showBox(QMessageBox::Critical, Kind::Error, text, title, details);
}

void MessageService::note(Kind kind, const QString& text, const QString& details)
{
    record({kind, text, QString(), details});
}

void MessageService::recordTo(const QString& path)
{
    setScripted(true);
    st().logPath = path;
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
    st().logPath.clear();
    st().answers.clear();
    st().choices.clear();
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

void MessageService::queueChoice(int index)
{
    st().choices.enqueue(index);
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
