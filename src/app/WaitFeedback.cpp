#include "app/WaitFeedback.h"
#include "app/TDMConfig.h"
#include "data/DbUtil.h"

#include <QApplication>
#include <QPointer>
#include <QStatusBar>
#include <QWidget>

namespace {

struct Waiting {
    bool on = false;
    QPointer<QStatusBar> bar;
};
Waiting& waiting()
{
    static Waiting w;
    return w;
}

QStatusBar* statusBarOfActiveWindow()
{
    QWidget* w = QApplication::activeWindow();
    if (!w) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && top->findChild<QStatusBar*>()) {
                w = top;
                break;
            }
    }
    return w ? w->findChild<QStatusBar*>() : nullptr;
}

void onLockWait(bool wait)
{
    Waiting& w = waiting();
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    if (wait && !w.on) {
        w.on = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        w.bar = statusBarOfActiveWindow();
        if (w.bar)
            w.bar->showMessage(LockWaitText());
    } else if (!wait && w.on) {
        w.on = false;
        QApplication::restoreOverrideCursor();
        if (w.bar && w.bar->currentMessage() == LockWaitText())
            w.bar->clearMessage();
        w.bar = nullptr;
    }
    // Paint the cursor and the text; nothing the user types is taken while the save waits.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString LockWaitText()
{
    return QCoreApplication::translate("WaitFeedback", "กำลังรอฐานข้อมูล: เครื่องอื่นกำลังบันทึกข้อมูลอยู่...");
}

void InstallLockWaitFeedback()
{
    Db::setLockWaitHook(onLockWait);
}
