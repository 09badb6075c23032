#include "forms/base/TFrForm.h"
#include "search/UpperCaseValidator.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

TFrForm::TFrForm(QWidget* parent, Toolbar kind)
    : TFrFrame(parent)
{
    const bool full = kind == Toolbar::Full;
    if (full) {
        AcHist = makeAction(QStringLiteral("AcHist"), QStringLiteral("Hist."), QStringLiteral("Show History"),
                            QKeySequence(Qt::CTRL | Qt::Key_H), QStringLiteral("document-open-recent"),
                            QStyle::SP_FileDialogInfoView);
        AcCopy = makeAction(QStringLiteral("AcCopy"), QStringLiteral("Copy"), QStringLiteral("Copy Record"), Qt::Key_F6,
                            QStringLiteral("edit-copy"), QStyle::SP_FileLinkIcon);
        AcChgCode = makeAction(QStringLiteral("AcChgCode"), QStringLiteral("Chg Code"), QString(), Qt::Key_F12,
                               QStringLiteral("edit-rename"), QStyle::SP_BrowserReload);
        connect(AcHist, &QAction::triggered, this, [this] { AcHistExecute(); });
        connect(AcCopy, &QAction::triggered, this, [this] { AcCopyExecute(); });
        connect(AcChgCode, &QAction::triggered, this, [this] { AcChgCodeExecute(); });
    }

    BNew = makeButton(QStringLiteral("BNew"), AcNew);
    BDel = makeButton(QStringLiteral("BDel"), AcDel);
    BSave = makeButton(QStringLiteral("BSave"), AcSave);
    if (full) {
        BChgCode = makeButton(QStringLiteral("BChgCode"), AcChgCode);
        BHist = makeButton(QStringLiteral("BHist"), AcHist);
        BCopy = makeButton(QStringLiteral("BCopy"), AcCopy);
    }
    BPrint = makeButton(QStringLiteral("BPrint"), AcPrint);
    BExit = makeButton(QStringLiteral("BExit"), AcExit);
    toolbar()->addStretch(1);

    if (full) {
        ChgCode = new QLineEdit(QStringLiteral("CHGCODE"), this);
        ChgCode->setObjectName(QStringLiteral("ChgCode"));
        ChgCode->setValidator(new UpperCaseValidator(ChgCode));
        ChgCode->hide();
        toolbar()->addWidget(ChgCode);
    }
}

void TFrForm::FormShow()
{
    for (QToolButton* b : {BHist, BCopy, BPrint, BChgCode})
        if (b)
            b->hide();
    TFrFrame::FormShow();
}

void TFrForm::AcNewExecute()
{
    if (ChgCode)
        ChgCode->hide();
    AcSave->setEnabled(false);
    AcDel->setEnabled(false);
    if (AcChgCode)
        AcChgCode->setEnabled(false);
    TFrFrame::AcNewExecute();
}
