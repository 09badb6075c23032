#pragma once
#include "data/Noticed.h"

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

// Every message box, Yes/No question and modal dialog of the module goes through here, so
// tests can script the answers and read the exact texts shown, and no test hangs on a
// modal window.
class MessageService {
public:
    enum class Kind { Information, Warning, Error, Question, ErrorDialog };
    struct Shown {
        Kind kind;
        QString text;
        QString title;
        QString details; // technical text behind an error, when there is one
    };

    // Yes/No box with the question icon; true only for Yes (the close box counts as No).
    static bool confirm(const QString& text, const QColor& background = QColor(),
                        const QColor& foreground = QColor(Qt::white));
    // A question with buttons of its own (in order, the first the default); returns the
    // index of the button pressed. The close box and Esc give `escape`; `no` is the button that
    // says No (what a scripted run answers when no choice is queued, as for confirm()).
    static int choose(const QString& text, const QStringList& buttons, int escape, int no);
    static void information(const QString& text, const QString& title = {});
    static void warning(const QString& text, const QString& title = {});
    // An error box; `details` (technical text) is offered behind a details button.
    static void error(const QString& text, const QString& title = {}, const QString& details = {});
    // Records something shown by a dialog of its own (the red error dialog) as if it had
    // been a box: tests and the message log see it.
    static void note(Kind kind, const QString& text, const QString& details = {});

    // The documents' confirmation question (ConfirmDlg): white text on dark blue.
    static bool ConfirmDlg(const QString& text) { return confirm(text, QColor(0, 0, 160), QColor(Qt::white)); }
    // Says what a data-layer answer comes with (an information box, when it has a notice)
    // and gives its value.
    template <typename T>
    static T tell(const Noticed<T>& answer)
    {
        if (!answer.notice.isEmpty())
            information(answer.notice);
        return answer.value;
    }

    // Runs a modal dialog; returns its result code. Tests answer through the dialog hook.
    static int execDialog(QDialog* dialog);

    // ---- scripting (tests) ------------------------------------------------------------
    // While scripted, nothing is shown: every box is recorded and questions take the next
    // queued answer (No when the queue is empty).
    static void setScripted(bool on);
    static bool scripted();
    static void queueAnswer(bool yes);
    // The answer to the next choose(): a button's index (its No button when none is queued).
    static void queueChoice(int index);
    static const QList<Shown>& shown();
    static QString lastText();
    static void clearShown();
    // Called instead of QDialog::exec while scripted; returns the dialog's result. When
    // unset, a scripted dialog is rejected at once.
    static void setDialogHook(std::function<int(QDialog*)> hook);
    // Scripted mode for a whole process, for tests that start the program: every box,
    // question and dialog is also written to `path` as one JSON object a line
    // ({"kind":..., "text":..., "title":..., "details":...}); questions are answered No and
    // dialogs rejected. The program turns it on when the environment variable
    // NK_MESSAGE_LOG names a file.
    static void recordTo(const QString& path);
};
