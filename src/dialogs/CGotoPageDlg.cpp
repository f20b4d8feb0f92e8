#include "CGotoPageDlg.h"

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

    auto* label = new QLabel(QStringLiteral("页码或百分比(&P)："), this);
    m_editPage = new QLineEdit(this);
    m_editPage->setObjectName(QStringLiteral("pageEdit"));
    m_editPage->setPlaceholderText(QStringLiteral("如 12 或 50%"));
    label->setBuddy(m_editPage);
    m_range = new QLabel(this);
    m_range->setObjectName(QStringLiteral("pageRange"));

    const OkCancelRow buttons(this);

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_editPage, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_range);
    layout->addLayout(buttons.layout);
    setTabOrder(m_editPage, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
}

void CGotoPageDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    m_percent.reset();
    m_range->setText(
        QStringLiteral("共 %1 页（1–%1），也可以输入百分比，如 50%").arg(m_nPageCount));
    // The current page, selected: typing a number replaces it, Enter stays there.
    m_editPage->setText(QString::fromStdString(DialogInteger::Format(m_nPage)));
    m_editPage->setFocus(Qt::OtherFocusReason);
    m_editPage->selectAll();
}

void CGotoPageDlg::accept() {
    const std::optional<GotoEntry> entry = ParseGotoEntry(m_editPage->text().toStdString());
    if (!entry) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Vellumwise"),
                        QStringLiteral("请键入页码（整数）或百分比，如 50%。"), QMessageBox::Ok,
                        this);
        box.setObjectName(QStringLiteral("integerMessageBox"));
        box.exec();
        m_editPage->setFocus(Qt::OtherFocusReason);
        m_editPage->selectAll();
        return;
    }
    m_nPage = entry->page;
    m_percent = entry->percent;
    QDialog::accept();
}
