#pragma once
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

class NkError;
class QHBoxLayout;
class QVBoxLayout;

// What both document base forms share: a fixed-size window with a toolbar of actions on
// fixed function keys (each button shows its icon, caption and key), a two-panel status bar,
// form-level key preview (Enter moves to the next control and is swallowed, Escape runs Exit)
// and the exit question on every way of closing. The actions' keys work in every control of
// the form, text fields included; Ctrl+Tab / Ctrl+Shift+Tab move to the next / previous
// control.
class TFrFrame : public QWidget {
    Q_OBJECT
public:
    explicit TFrFrame(QWidget* parent = nullptr);
    // Detaches the form from its data and widgets before anything of it is destroyed, so a
    // focused edit leaving with the window cannot call back into a half-destroyed form.
    ~TFrFrame() override;

    bool KeyPreview = true;

    QAction* AcNew = nullptr;
    QAction* AcDel = nullptr;
    QAction* AcSave = nullptr;
    QAction* AcPrint = nullptr;
    QAction* AcExit = nullptr;

    QToolButton* BNew = nullptr;
    QToolButton* BDel = nullptr;
    QToolButton* BSave = nullptr;
    QToolButton* BPrint = nullptr;
    QToolButton* BExit = nullptr;

    QStatusBar* StatusBar = nullptr;
    QLabel* StatusCompany = nullptr; // 200 pixels
    QLabel* StatusInfo = nullptr; // 50 pixels
    // The number of the document saved last: the form goes blank after a save, so this is
    // where the user reads the number to write on the paper.
    QLabel* StatusSaved = nullptr;

    // The exit question's text in the user's language.
    static QString exitQuestion();
    // The company's name in the user's language: its English name for an English user when the
    // company has one, else the Thai name (as the menu shows it).
    static QString companyName();

    // The window's one title: the menu entry's caption (the form's own when the menu gives
    // none) followed by the program's version. The application name follows it, so the
    // window system shows the title once.
    static QString versionText() { return QStringLiteral(" (Version 1.05.03.26)"); }
    void setFormCaption(const QString& fallbackCaption);
    // Shows the saved document's number; every save of every form reaches it through the
    // data module's documentSaved, so forms do nothing for it.
    void showSavedNumber(const QString& number);

    virtual void AcNewExecute();
    virtual void AcDelExecute() {}
    virtual void AcSaveExecute() {}
    virtual void AcPrintExecute() {}
    void AcExitExecute() { close(); }

protected:
    // An action on a fixed key, with the desktop theme's icon (the style's fallback otherwise;
    // none when no theme name is given).
    QAction* makeAction(const QString& name, const QString& caption, const QString& hint,
                        const QKeySequence& key, const QString& themeIcon = QString(),
                        QStyle::StandardPixmap fallback = QStyle::SP_CustomBase);
    QToolButton* makeButton(const QString& name, QAction* action);
    // Derived forms put their content here, between toolbar and status bar.
    QVBoxLayout* body() const { return m_body; }
    QHBoxLayout* toolbar() const { return m_toolbar; }

    virtual void FormShow();
    // New (F3) pressed: a new document (the document forms ask first whether the one on
    // screen may be left).
    virtual void AcNewTriggered() { AcNewExecute(); }
    // The order Enter (and Tab) walks the form's fields in, one after the other. The fields of
    // a header are given in the order a user reads them on the screen (see docs/behaviour.md,
    // "Enter order"), so what is typed for the field seen next lands in it.
    void setEnterOrder(const QList<QWidget*>& order);
    // True while the focus is inside one of the form's data grids, where Enter and Escape
    // belong to the cells.
    bool focusInGrid() const;
    // The text typed into the focused field of this form goes into its data set, as leaving the
    // field would do (F10 and the toolbar do not move the focus). False when the field refuses it.
    bool commitFocusedField();
    // Asks the exit question; true to close.
    virtual bool askExit();

    bool eventFilter(QObject* obj, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

    // A failure of the first show (no company database): reported through the error hook,
    // then the form closes without the exit question and the process ends.
    virtual void formOpenFailed(const NkError& error);

private:
    QVBoxLayout* m_body = nullptr;
    bool m_closeWithoutQuestion = false;
    bool m_destroying = false;
    QHBoxLayout* m_toolbar = nullptr;
    bool m_shown = false;
};
