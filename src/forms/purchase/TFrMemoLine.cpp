#include "forms/purchase/TFrMemoLine.h"

#include "data/CachedDataSet.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFrMemoLine::TFrMemoLine(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrMemoLine"));
    setWindowTitle(tr("เพิ่มเติม คำอธิบายรายการ"));
    resize(420, 220);
    MemoDetail = new QPlainTextEdit(this);
    MemoDetail->setObjectName(QStringLiteral("MemoDetail"));
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    for (QPushButton* b : {BtOk, BtCancel})
        b->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(BtOk);
    row->addWidget(BtCancel);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(MemoDetail, 1);
    lay->addLayout(row);
    connect(BtOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrMemoLine::bind(CachedDataSet* lines, const QString& field)
{
    m_lines = lines;
    m_field = field;
}

void TFrMemoLine::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    const bool ok = m_lines && m_lines->Active() && m_lines->RecNo() >= 0 && m_lines->hasField(m_field);
    MemoDetail->setPlainText(ok ? m_lines->FieldByName(m_field).toString() : QString());
    MemoDetail->setFocus();
}

void TFrMemoLine::done(int r)
{
    // The line changes only on OK, so a cancel leaves the text it had.
    if (r == QDialog::Accepted && m_lines && m_lines->Active() && m_lines->RecNo() >= 0 && m_lines->hasField(m_field)
        && m_lines->FieldByName(m_field).toString() != MemoDetail->toPlainText())
        m_lines->SetField(m_field, MemoDetail->toPlainText());
    QDialog::done(r);
}
