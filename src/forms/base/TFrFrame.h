#pragma once
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

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

    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr; // 200 pixels
    QLabel* StatusPanel2 = nullptr; // 50 pixels

    // The exit question's text in the user's language.
    static QString exitQuestion();

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
    // True while the focus is inside one of the form's data grids, where Enter and Escape
    // belong to the cells.
    bool focusInGrid() const;
    // Asks the exit question; true to close.
    virtual bool askExit();

    bool eventFilter(QObject* obj, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QVBoxLayout* m_body = nullptr;
    QHBoxLayout* m_toolbar = nullptr;
    bool m_shown = false;
};
