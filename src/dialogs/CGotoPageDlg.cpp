#include "CGotoPageDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "DialogInteger.h"
#include "OkCancelRow.h"

CGotoPageDlg::CGotoPageDlg(QWidget* pParent) : QDialog(pParent) {
    setObjectName(QStringLiteral("gotoPageDialog"));
    setWindowTitle(QStringLiteral("前进到指定页面"));

    auto* label = new QLabel(QStringLiteral("前进到指定页面"), this);
    m_editPage = new QLineEdit(this);
    m_editPage->setObjectName(QStringLiteral("pageEdit"));
    label->setBuddy(m_editPage);

    const OkCancelRow buttons(this);
    m_btnOk = buttons.ok;

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_editPage, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons.layout);

    // The buttons come first so that Enter on opening confirms the page shown.
    setTabOrder(m_btnOk, buttons.cancel);
    setTabOrder(buttons.cancel, m_editPage);
}

void CGotoPageDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    // Whatever the caller left in m_nPage, each run starts from page 0.
    m_nPage = 0;
    m_editPage->setText(QString::fromStdString(DialogInteger::Format(m_nPage)));
    m_btnOk->setFocus(Qt::OtherFocusReason);
}

void CGotoPageDlg::accept() {
    const auto page = DialogInteger::Parse(m_editPage->text().toStdString());
    if (!page) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Vellumwise"),
                        QStringLiteral("请键入一个整数。"), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("integerMessageBox"));
        box.exec();
        m_editPage->setFocus(Qt::OtherFocusReason);
        m_editPage->selectAll();
        return;
    }
    m_nPage = *page;
    QDialog::accept();
}
