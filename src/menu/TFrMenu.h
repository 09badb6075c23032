#pragma once
#include "menu/MenuData.h"
#include "menu/SignInGuard.h"

#include <QMainWindow>

class FormLauncher;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

// The module's own menu, standing in for the suite's menu shell: sign-in with user code and
// password, then the company, the working date and the menu entries the user may open, in the
// user's language. Choosing an entry (Enter, double click) starts its work form as a process of
// its own. The configuration database is reached through DMConfig, in the working folder.
class TFrMenu : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrMenu(QWidget* parent = nullptr);

    // Fills the sign-in in advance (the password is never passed in): the user code, and the
    // company chosen once signed in.
    void prefill(const QString& userCode, const QString& company);
    // Shown when no "Server.Dat" was found: offers to create the demo company in the working
    // folder.
    void offerDemo(const QString& searchedFolders);

    FormLauncher* launcher() const { return m_launcher; }
    SignInGuard& guard() { return m_guard; }
    // How long a refused password waits before the answer (milliseconds).
    void setRefusalDelay(int ms) { m_refusalDelay = ms; }
    bool signedIn() const { return m_user.Id != 0; }
    const MenuUser& user() const { return m_user; }

private:
    void BtSignInClick();
    void BtSignOutClick();
    void BtCreateDemoClick();
    void TvMenuActivated(QTreeWidgetItem* item);
    void CbCompanyChange();

    QWidget* buildSignInPage();
    QWidget* buildMenuPage();
    bool loadCompanies(); // false after showing why the configuration database cannot be read
    void refuse(const QString& text, qint64 elapsedMs, bool delayed);
    void enterMenu(const MenuUser& user, const QList<MenuEntry>& entries);
    void fillTree(const QList<MenuEntry>& entries, QTreeWidgetItem* parent);
    void showStatus(const QString& text);

    QStackedWidget* m_pages = nullptr;
    QLineEdit* EdUser = nullptr;
    QLineEdit* EdPassword = nullptr;
    QPushButton* BtSignIn = nullptr;
    QPushButton* BtCreateDemo = nullptr;
    QLabel* LbMessage = nullptr;
    QLabel* LbCompany = nullptr;
    QComboBox* CbCompany = nullptr;
    QLabel* LbDate = nullptr;
    QDateEdit* EdDate = nullptr;
    QTreeWidget* TvMenu = nullptr;
    QPushButton* BtOpen = nullptr;
    QPushButton* BtSignOut = nullptr;
    QLabel* LbSession = nullptr;

    FormLauncher* m_launcher = nullptr;
    SignInGuard m_guard;
    int m_refusalDelay = 1000;
    bool m_waiting = false;
    MenuUser m_user;
    QList<MenuCompany> m_companies;
    QString m_prefillCompany;
};
