#include "forms/base/TFrFrame.h"
#include "app/ErrorReporting.h"
#include "app/MessageService.h"
#include "app/TDMConfig.h"
#include "data/CachedDataSet.h"
#include "data/NkError.h"
#include "data/TDM.h"
#include "widgets/DbEdits.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

TFrFrame::TFrFrame(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("PnToolbar"));
    bar->setAutoFillBackground(true);
    m_toolbar = new QHBoxLayout(bar);
    m_toolbar->setContentsMargins(4, 2, 4, 2);
    m_toolbar->setSpacing(2);
    outer->addWidget(bar);
    m_body = new QVBoxLayout;
    m_body->setContentsMargins(6, 6, 6, 6);
    outer->addLayout(m_body, 1);
    StatusBar = new QStatusBar(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    StatusCompany = new QLabel(StatusBar);
    StatusCompany->setFixedWidth(200);
    StatusInfo = new QLabel(StatusBar);
    StatusInfo->setFixedWidth(50);
    StatusBar->addWidget(StatusCompany);
    StatusBar->addWidget(StatusInfo);
    StatusSaved = new QLabel(StatusBar);
    StatusSaved->setObjectName(QStringLiteral("StatusSaved"));
    StatusBar->addWidget(StatusSaved, 1);
    outer->addWidget(StatusBar);
    if (DM)
        connect(DM, &TDM::documentSaved, this, &TFrFrame::showSavedNumber);

    AcNew = makeAction(QStringLiteral("AcNew"), QStringLiteral("New"), QStringLiteral("New Record"), Qt::Key_F3,
                       QStringLiteral("document-new"), QStyle::SP_FileIcon);
    AcDel = makeAction(QStringLiteral("AcDel"), QStringLiteral("Delete"), QStringLiteral("Delete Record"), Qt::Key_F8,
                       QStringLiteral("edit-delete"), QStyle::SP_TrashIcon);
    AcSave = makeAction(QStringLiteral("AcSave"), QStringLiteral("Save"), QStringLiteral("Save Record"), Qt::Key_F10,
                        QStringLiteral("document-save"), QStyle::SP_DialogSaveButton);
    AcPrint = makeAction(QStringLiteral("AcPrint"), QStringLiteral("Print"), QStringLiteral("Print Record"),
                         QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral("document-print"),
                         QStyle::SP_FileDialogDetailedView);
    AcExit = makeAction(QStringLiteral("AcExit"), QStringLiteral("Exit"), QStringLiteral("Exit Program"),
                        QKeySequence(Qt::CTRL | Qt::Key_X), QStringLiteral("application-exit"),
                        QStyle::SP_DialogCloseButton);
    connect(AcNew, &QAction::triggered, this, [this] { AcNewTriggered(); });
    connect(AcDel, &QAction::triggered, this, [this] { AcDelExecute(); });
    connect(AcSave, &QAction::triggered, this, [this] {
        if (commitFocusedField())
            AcSaveExecute();
    });
    connect(AcPrint, &QAction::triggered, this, [this] { AcPrintExecute(); });
    connect(AcExit, &QAction::triggered, this, [this] { AcExitExecute(); });

    qApp->installEventFilter(this);
}

TFrFrame::~TFrFrame()
{
    // The derived parts are gone already; what is left must not reach them. The data sets
    // fall silent, and the window is hidden here while the event filter still swallows the
    // focus changes of its widgets, so no edit commits its text and no lookup runs.
    m_destroying = true;
    for (CachedDataSet* ds : findChildren<CachedDataSet*>()) {
        ds->blockSignals(true);
        ds->clearHooks();
    }
    for (QObject* child : findChildren<QObject*>())
        disconnect(qApp, nullptr, child, nullptr); // focus changes of the application
    if (isVisible())
        hide();
    qApp->removeEventFilter(this);
}

QAction* TFrFrame::makeAction(const QString& name, const QString& caption, const QString& hint,
                              const QKeySequence& key, const QString& themeIcon, QStyle::StandardPixmap fallback)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    // The desktop theme's icon, else the style's own, made only then. The style's icon reads
    // every size of its picture at once (three images to decode per button, a tenth of a
    // form's start-up); on screens of ordinary density the buttons show only the small one,
    // so that one alone is read.
    if (!themeIcon.isEmpty()) {
        QIcon icon = QIcon::fromTheme(themeIcon);
        if (icon.isNull() || icon.availableSizes().isEmpty()) {
            const int shown = style()->pixelMetric(QStyle::PM_ButtonIconSize, nullptr, this);
            const QPixmap small = qApp->devicePixelRatio() <= 1.0 ? style()->standardPixmap(fallback, nullptr, this) : QPixmap();
            icon = !small.isNull() && small.width() <= shown && small.height() <= shown ? QIcon(small)
                                                                                          : style()->standardIcon(fallback);
        }
        a->setIcon(icon);
    }
    if (!key.isEmpty()) {
        a->setShortcut(key);
        // The button shows its key beside the caption ("New F3"), so the keys are learnt
        // by looking at the toolbar.
        a->setIconText(caption + QLatin1Char(' ') + key.toString(QKeySequence::NativeText));
    }
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
}

QToolButton* TFrFrame::makeButton(const QString& name, QAction* action)
{
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setAutoRaise(true); // flat
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(56);
    m_toolbar->addWidget(b);
    return b;
}

QString TFrFrame::companyName()
{
    if (!DMConfig)
        return {};
    const QString english = DMConfig->CompanyRow.value(QStringLiteral("NAMEENG")).toString().trimmed();
    return DMConfig->ThaiLanguage || english.isEmpty() ? DMConfig->CompanyNameThai : english;
}

QString TFrFrame::exitQuestion()
{
    return tr("ออกจากโปรแกรม ?");
}

void TFrFrame::AcNewExecute()
{
    KeyPreview = true;
}

void TFrFrame::FormShow()
{
    QApplication::setApplicationDisplayName(windowTitle());
    AcNewExecute();
}

void TFrFrame::setFormCaption(const QString& fallbackCaption)
{
    const QString menu = DMConfig ? DMConfig->MenuCaption.trimmed() : QString();
    const QString title = (menu.isEmpty() ? fallbackCaption : menu) + versionText();
    // The name first: the window system builds the title bar when the title is set.
    QApplication::setApplicationDisplayName(title);
    setWindowTitle(title);
}

void TFrFrame::showSavedNumber(const QString& number)
{
    StatusSaved->setText(tr("บันทึกแล้ว เลขที่เอกสาร %1").arg(number));
}

void TFrFrame::setEnterOrder(const QList<QWidget*>& order)
{
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

bool TFrFrame::focusInGrid() const
{
    for (QWidget* w = QApplication::focusWidget(); w && w != this; w = w->parentWidget())
        if (w->inherits("TDataGrid"))
            return true;
    return false;
}

bool TFrFrame::commitFocusedField()
{
    auto* edit = qobject_cast<TDbEdit*>(QApplication::focusWidget());
    if (!edit || !isAncestorOf(edit) || edit->window() != window())
        return true;
    try {
        if (edit->commit())
            return true;
        edit->refuse();
        return false;
    } catch (const NkError& e) {
        MessageService::warning(e.message());
        return false;
    }
}

bool TFrFrame::askExit()
{
    return MessageService::confirm(exitQuestion(), QColor(0, 128, 0), QColor(Qt::white));
}

void TFrFrame::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        if (const QScreen* s = screen()) {
            // Centred on the free part of the desktop, the title bar never above its top.
            const QRect free = s->availableGeometry();
            QPoint at = free.center() - rect().center();
            at.setY(qMax(free.top(), at.y()));
            at.setX(qMax(free.left(), at.x()));
            move(at);
        }
        try {
            FormShow();
        } catch (const NkError& ex) {
            formOpenFailed(ex);
        }
    }
}

void TFrFrame::formOpenFailed(const NkError& error)
{
    // Nothing can be done without the database: the form goes, the error is logged and
    // shown like any other, and the process ends.
    m_closeWithoutQuestion = true;
    hide();
    ReportError(error);
    close();
    QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

void TFrFrame::closeEvent(QCloseEvent* e)
{
    if (m_closeWithoutQuestion || askExit())
        e->accept();
    else
        e->ignore();
}

bool TFrFrame::eventFilter(QObject* obj, QEvent* e)
{
    if (m_destroying) {
        // Focus leaving with the window being destroyed reaches nobody.
        const QEvent::Type t = e->type();
        if (t == QEvent::FocusOut || t == QEvent::FocusIn || t == QEvent::FocusAboutToChange) {
            auto* w = qobject_cast<QWidget*>(obj);
            return w && (w == this || isAncestorOf(w));
        }
        return false;
    }
    if ((e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) || !isVisible())
        return false;
    auto* w = qobject_cast<QWidget*>(obj);
    // The form's own window only: a dialog it opened keeps its own keys.
    if (!w || !(w == this || isAncestorOf(w)) || w->window() != window())
        return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    if (e->type() == QEvent::ShortcutOverride) {
        // The form's keys win over the text fields' own (Ctrl+X is Exit here, not Cut; cut
        // stays in the field's context menu): the override is declined, so the action runs.
        const QKeySequence pressed(ke->keyCombination());
        for (const QAction* a : actions()) {
            if (a->isEnabled() && a->shortcut() == pressed) {
                e->ignore();
                return true;
            }
        }
        return false;
    }
    // A field is left by Enter or Tab only with text it can store; other text is named and
    // stays in the field for correction, so nothing typed is lost on the way to the next field.
    const bool moveKey = ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab
                         || ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && KeyPreview
                             && !(ke->modifiers() & Qt::AltModifier));
    if (auto* edit = qobject_cast<TDbEdit*>(w); moveKey && edit && !edit->isReadOnly() && !edit->textReadable()) {
        edit->refuse();
        return true;
    }
    // Ctrl+Tab / Ctrl+Shift+Tab move between controls everywhere; the grids do it themselves.
    if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && (ke->modifiers() & Qt::ControlModifier)
        && !focusInGrid()) {
        focusNextPrevChild(ke->key() == Qt::Key_Tab && !(ke->modifiers() & Qt::ShiftModifier));
        return true;
    }
    if (!KeyPreview)
        return false;
    if ((ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) && !(ke->modifiers() & Qt::AltModifier)) {
        // Enter on a button presses it (unless the button stands in the fields' Enter order
        // and says so: "EnterMovesOn"); anywhere else it submits nothing: it moves on.
        if (auto* button = qobject_cast<QPushButton*>(w);
            button && button->isEnabled() && !button->property("EnterMovesOn").toBool()) {
            button->click();
            return true;
        }
        focusNextChild();
        return true;
    }
    if (ke->key() == Qt::Key_Escape && ke->modifiers() == Qt::NoModifier) {
        AcExit->trigger();
        return true;
    }
    return false;
}
