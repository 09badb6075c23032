#include "menu/TFrMenu.h"
#include "data/Translation.h"

#include "app/TDMConfig.h"
#include "data/DbAdmin.h"
#include "data/NkError.h"
#include "data/PasswordHash.h"
#include "menu/FormLauncher.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int MenuIdRole = Qt::UserRole;
constexpr int ProgramRole = Qt::UserRole + 1;

// Before sign-in the user's language is not known: the sign-in texts come in both.
QString both(const QString& thai, const QString& english)
{
    return thai + QLatin1Char('\n') + english;
}

QString lockedText(int seconds)
{
    return both(QStringLiteral("ใส่รหัสผ่านผิด %1 ครั้งติดกัน กรุณารอ %2 วินาที").arg(SignInGuard::MaxFailures).arg(seconds),
                QStringLiteral("%1 wrong passwords in a row: wait %2 %3.")
                    .arg(SignInGuard::MaxFailures)
                    .arg(seconds)
                    .arg(seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds")));
}

bool anyStartable(const QList<MenuEntry>& entries)
{
    for (const MenuEntry& e : entries)
        if (e.startable() || anyStartable(e.Children))
            return true;
    return false;
}
} // namespace

TFrMenu::TFrMenu(QWidget* parent)
    : QMainWindow(parent)
    , m_launcher(new FormLauncher(this))
{
    setObjectName(QStringLiteral("FrMenu"));
    setWindowTitle(QStringLiteral("นำเข้า Namkhao"));
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildSignInPage());
    m_pages->addWidget(buildMenuPage());
    setCentralWidget(m_pages);
    LbSession = new QLabel(this);
    LbSession->setObjectName(QStringLiteral("LbSession"));
    statusBar()->addPermanentWidget(LbSession);
    resize(560, 520);

    connect(m_launcher, &FormLauncher::failed, this, [this](const QString& caption, int code, bool crashed) {
        showStatus(crashed ? tr("\"%1\" หยุดทำงานกะทันหัน").arg(caption)
                           : tr("\"%1\" จบการทำงานโดยมีข้อผิดพลาด (สถานะ %2)")
                                 .arg(caption)
                                 .arg(code));
    });
    connect(m_launcher, &FormLauncher::couldNotStart, this, [this](const QString& caption, const QString& reason) {
        showStatus(tr("เปิด \"%1\" ไม่ได้: %2").arg(caption, reason));
    });
    loadCompanies();
    EdUser->setFocus();
}

QWidget* TFrMenu::buildSignInPage()
{
    auto* page = new QWidget;
    auto* title = new QLabel(QStringLiteral("นำเข้า  Namkhao"));
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto* subtitle = new QLabel(QStringLiteral("ลงชื่อเข้าใช้  Sign in"));
    subtitle->setAlignment(Qt::AlignCenter);

    EdUser = new QLineEdit;
    EdUser->setObjectName(QStringLiteral("EdUser"));
    EdPassword = new QLineEdit;
    EdPassword->setObjectName(QStringLiteral("EdPassword"));
    EdPassword->setEchoMode(QLineEdit::Password);
    BtSignIn = new QPushButton(QStringLiteral("เข้าสู่ระบบ  Sign in"));
    BtSignIn->setObjectName(QStringLiteral("BtSignIn"));
    BtSignIn->setDefault(true);
    LbMessage = new QLabel;
    LbMessage->setObjectName(QStringLiteral("LbMessage"));
    LbMessage->setWordWrap(true);
    LbMessage->setStyleSheet(QStringLiteral("color: #b00020;"));
    LbMessage->setAlignment(Qt::AlignCenter);
    BtCreateDemo = new QPushButton(QStringLiteral("สร้างบริษัทตัวอย่าง  Create the demo company"));
    BtCreateDemo->setObjectName(QStringLiteral("BtCreateDemo"));
    BtCreateDemo->hide();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("รหัสผู้ใช้  User"), EdUser);
    form->addRow(QStringLiteral("รหัสผ่าน  Password"), EdPassword);
    auto* panel = new QWidget;
    panel->setMinimumWidth(360);
    panel->setMaximumWidth(420);
    auto* box = new QVBoxLayout(panel);
    box->addWidget(title);
    box->addWidget(subtitle);
    box->addSpacing(12);
    box->addLayout(form);
    box->addWidget(BtSignIn, 0, Qt::AlignRight);
    box->addSpacing(8);
    box->addWidget(LbMessage);
    box->addWidget(BtCreateDemo, 0, Qt::AlignCenter);
    // The panel stands in the middle of the window, whatever its size.
    auto* grid = new QGridLayout(page);
    grid->addWidget(panel, 1, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    // Enter moves from the user code to the password; Enter there signs in.
    connect(EdUser, &QLineEdit::returnPressed, EdPassword, qOverload<>(&QWidget::setFocus));
    connect(EdPassword, &QLineEdit::returnPressed, this, &TFrMenu::BtSignInClick);
    connect(BtSignIn, &QPushButton::clicked, this, &TFrMenu::BtSignInClick);
    connect(BtCreateDemo, &QPushButton::clicked, this, &TFrMenu::BtCreateDemoClick);
    return page;
}

QWidget* TFrMenu::buildMenuPage()
{
    auto* page = new QWidget;
    LbCompany = new QLabel;
    CbCompany = new QComboBox;
    CbCompany->setObjectName(QStringLiteral("CbCompany"));
    LbCompany->setBuddy(CbCompany);
    LbDate = new QLabel;
    EdDate = new QDateEdit(QDate::currentDate());
    EdDate->setObjectName(QStringLiteral("EdDate"));
    EdDate->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    EdDate->setCalendarPopup(true);
    LbDate->setBuddy(EdDate);
    TvMenu = new QTreeWidget;
    TvMenu->setObjectName(QStringLiteral("TvMenu"));
    TvMenu->setHeaderHidden(true);
    TvMenu->setRootIsDecorated(true);
    TvMenu->setUniformRowHeights(true);
    BtOpen = new QPushButton;
    BtOpen->setObjectName(QStringLiteral("BtOpen"));
    BtSignOut = new QPushButton;
    BtSignOut->setObjectName(QStringLiteral("BtSignOut"));

    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(EdDate);
    dateRow->addStretch();
    auto* top = new QFormLayout;
    top->addRow(LbCompany, CbCompany);
    top->addRow(LbDate, dateRow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtSignOut);
    buttons->addStretch();
    buttons->addWidget(BtOpen);
    auto* box = new QVBoxLayout(page);
    box->addLayout(top);
    box->addWidget(TvMenu, 1);
    box->addLayout(buttons);

    connect(TvMenu, &QTreeWidget::itemActivated, this, &TFrMenu::TvMenuActivated);
    connect(BtOpen, &QPushButton::clicked, this, [this] { TvMenuActivated(TvMenu->currentItem()); });
    connect(BtSignOut, &QPushButton::clicked, this, &TFrMenu::BtSignOutClick);
    connect(CbCompany, &QComboBox::currentIndexChanged, this, &TFrMenu::CbCompanyChange);
    return page;
}

void TFrMenu::prefill(const QString& userCode, const QString& company)
{
    EdUser->setText(userCode.trimmed());
    m_prefillCompany = company.trimmed();
    (userCode.trimmed().isEmpty() ? EdUser : EdPassword)->setFocus();
}

void TFrMenu::offerDemo(const QString& searchedFolders)
{
    LbMessage->setText(both(QStringLiteral("ไม่พบแฟ้ม Server.Dat ใน %1").arg(searchedFolders),
                            QStringLiteral("No Server.Dat found in %1.").arg(searchedFolders)));
    BtCreateDemo->show();
}

bool TFrMenu::loadCompanies()
{
    try {
        m_companies = MenuData::Companies(DMConfig->DmCfg());
        return true;
    } catch (const NkError& e) {
        DMConfig->CloseConnection(); // tried again at the next sign-in
        LbMessage->setText(e.message());
        return false;
    }
}

void TFrMenu::BtSignInClick()
{
    if (m_waiting)
        return;
    if (m_guard.locked()) {
        EdPassword->clear();
        LbMessage->setText(lockedText(m_guard.secondsLeft()));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    const QString code = EdUser->text().trimmed();
    const QString password = EdPassword->text();
    EdPassword->clear();
    try {
        if (m_companies.isEmpty() && !loadCompanies())
            return;
        const std::optional<MenuUser> user = MenuData::FindUser(DMConfig->DmCfg(), code);
        if (!user || !PasswordHash::verify(user->Password, password)) {
            m_guard.failed();
            refuse(m_guard.locked() ? lockedText(m_guard.secondsLeft())
                                    : both(QStringLiteral("รหัสผู้ใช้หรือรหัสผ่านไม่ถูกต้อง"),
                                           QStringLiteral("Wrong user code or password.")),
                   clock.elapsed(), true);
            return;
        }
        m_guard.succeeded();
        // Before the menu opens the texts are not yet switched to the user's language.
        const auto inLanguage = [&](const char* text) { return Translation::inLanguage(user->Thai, "TFrMenu", text); };
        if (user->Blocked) {
            refuse(inLanguage(QT_TRANSLATE_NOOP("TFrMenu", "รหัสผู้ใช้นี้ถูกระงับการใช้งาน")), 0, false);
            return;
        }
        const QList<MenuEntry> entries = MenuData::Entries(DMConfig->DmCfg(), user->Id, user->Thai);
        if (!anyStartable(entries)) {
            refuse(inLanguage(QT_TRANSLATE_NOOP("TFrMenu", "รหัสผู้ใช้นี้ไม่มีสิทธิ์ใช้งานเมนูใด")),
                   0, false);
            return;
        }
        enterMenu(*user, entries);
    } catch (const NkError& e) {
        refuse(e.message(), 0, false);
    }
}

void TFrMenu::refuse(const QString& text, qint64 elapsedMs, bool delayed)
{
    LbMessage->clear();
    const auto answer = [this, text] {
        m_waiting = false;
        EdUser->setEnabled(true);
        EdPassword->setEnabled(true);
        BtSignIn->setEnabled(true);
        LbMessage->setText(text);
        EdPassword->setFocus();
    };
    if (!delayed) {
        answer();
        return;
    }
    // A wrong password is answered after the same pause however long the check took, so
    // guessing is slow and the time tells nothing about the user code.
    m_waiting = true;
    EdUser->setEnabled(false);
    EdPassword->setEnabled(false);
    BtSignIn->setEnabled(false);
    QTimer::singleShot(int(qMax<qint64>(0, m_refusalDelay - elapsedMs)), this, answer);
}

void TFrMenu::enterMenu(const MenuUser& user, const QList<MenuEntry>& entries)
{
    m_user = user;
    Translation::useLanguage(user.Thai);
    LbMessage->clear();
    LbCompany->setText(tr("บริษัท"));
    LbDate->setText(tr("วันที่ทำงาน"));
    BtOpen->setText(tr("เปิด"));
    BtSignOut->setText(tr("ออกจากระบบ"));

    const QSignalBlocker block(CbCompany);
    CbCompany->clear();
    int chosen = 0;
    for (int i = 0; i < m_companies.size(); ++i) {
        const MenuCompany& c = m_companies[i];
        CbCompany->addItem(QStringLiteral("%1  (%2)").arg(c.name(m_user.Thai), c.DatabaseName), c.DatabaseName);
        if (c.DatabaseName.compare(m_prefillCompany, Qt::CaseInsensitive) == 0)
            chosen = i;
    }
    CbCompany->setCurrentIndex(m_companies.isEmpty() ? -1 : chosen);
    EdDate->setDate(QDate::currentDate());

    TvMenu->clear();
    fillTree(entries, nullptr);
    TvMenu->expandAll();
    for (QTreeWidgetItemIterator it(TvMenu); *it; ++it)
        if (!(*it)->data(0, ProgramRole).toString().isEmpty()) {
            TvMenu->setCurrentItem(*it);
            break;
        }
    m_pages->setCurrentIndex(1);
    CbCompanyChange();
    TvMenu->setFocus();
}

void TFrMenu::fillTree(const QList<MenuEntry>& entries, QTreeWidgetItem* parent)
{
    for (const MenuEntry& e : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(TvMenu);
        item->setText(0, e.Caption);
        item->setData(0, MenuIdRole, e.Id);
        item->setData(0, ProgramRole, e.ProgramCode);
        if (e.startable()) {
            item->setIcon(0, style()->standardIcon(QStyle::SP_FileIcon));
        } else {
            item->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
            QFont f = item->font(0);
            f.setBold(true);
            item->setFont(0, f);
        }
        fillTree(e.Children, item);
    }
}

void TFrMenu::CbCompanyChange()
{
    const int i = CbCompany->currentIndex();
    const QString company = i >= 0 && i < m_companies.size() ? m_companies[i].name(m_user.Thai) : QString();
    setWindowTitle(company.isEmpty() ? QStringLiteral("นำเข้า Namkhao") : QStringLiteral("นำเข้า Namkhao — ") + company);
    LbSession->setText(QStringLiteral("%1  %2").arg(m_user.Code, m_user.Name));
}

void TFrMenu::TvMenuActivated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QString program = item->data(0, ProgramRole).toString();
    if (program.isEmpty()) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    const QString company = CbCompany->currentData().toString();
    if (company.isEmpty()) {
        showStatus(tr("ยังไม่ได้เลือกบริษัท"));
        return;
    }
    m_launcher->setWorkingFolder(QDir::currentPath());
    m_launcher->start(item->text(0), MenuData::FormArguments(item->data(0, MenuIdRole).toInt(), m_user.Id, company,
                                                             program, EdDate->date()));
    showStatus(tr("เปิด \"%1\"").arg(item->text(0)));
}

void TFrMenu::BtSignOutClick()
{
    // Forms already open stay open; they belong to the user's work, not to the menu.
    m_user = MenuUser();
    Translation::useLanguage(true); // the sign-in page says everything in both languages
    TvMenu->clear();
    LbSession->clear();
    statusBar()->clearMessage();
    setWindowTitle(QStringLiteral("นำเข้า Namkhao"));
    m_pages->setCurrentIndex(0);
    EdPassword->clear();
    EdUser->setFocus();
}

void TFrMenu::BtCreateDemoClick()
{
    const QString folder = QDir::currentPath();
    try {
        DbAdmin::createDemo(QDir(folder).filePath(QStringLiteral("data")));
        QFile f(QDir(folder).filePath(QStringLiteral("Server.Dat")));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write("data\n") < 0)
            throw NkError(QStringLiteral("Cannot write %1").arg(f.fileName()));
    } catch (const NkError& e) {
        LbMessage->setText(e.message());
        return;
    }
    BtCreateDemo->hide();
    DMConfig->CloseConnection();
    if (!loadCompanies())
        return;
    LbMessage->setText(both(QStringLiteral("สร้างบริษัทตัวอย่างแล้ว: ผู้ใช้ ADMIN (ไทย) หรือ JOHN (อังกฤษ) รหัสผ่าน demo"),
                            QStringLiteral("Demo company created: user ADMIN (Thai) or JOHN (English), password demo.")));
    prefill(QStringLiteral("ADMIN"), QStringLiteral("DEMO"));
}

void TFrMenu::showStatus(const QString& text)
{
    statusBar()->showMessage(text);
}
