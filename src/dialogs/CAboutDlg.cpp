#include "CAboutDlg.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "CLinkLabel.h"

#ifndef VELLUMWISE_HOMEPAGE_URL
#define VELLUMWISE_HOMEPAGE_URL "https://vellumwise.example.org/"
#endif

const QString CAboutDlg::kProductLine = QStringLiteral("Vellumwise 词影伴读 1.0");
const QString CAboutDlg::kLegalLine =
    QStringLiteral("版权所有 (C) 2026 Vellumwise 开发者。词典数据来自 ECDICT（MIT 许可）。");

namespace {

QIcon ApplicationIcon() {
    QIcon icon = QApplication::windowIcon();
    for (const char* resource : {":/vellumwise.svg", ":/icons/vellumwise.svg"}) {
        if (icon.isNull() && QFile::exists(QString::fromLatin1(resource)))
            icon = QIcon(QString::fromLatin1(resource));
    }
    return icon;
}

QLabel* PlainLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    // Shown as written: no rich text and no mnemonic ampersands.
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* pParent) : QDialog(pParent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("关于 Vellumwise"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setFixedSize(32, 32);
    // Without an icon the box keeps its place empty rather than failing.
    const QIcon appIcon = ApplicationIcon();
    if (!appIcon.isNull()) icon->setPixmap(appIcon.pixmap(32, 32));

    m_linkHome = new CLinkLabel(this);
    m_linkHome->m_strURL = QStringLiteral(VELLUMWISE_HOMEPAGE_URL);
    // An address wider than the standard rectangle (a long configured one, or a
    // wide substitute for Arial) widens the link instead of being cut.
    const int textWidth =
        QFontMetrics(CLinkLabel::LinkFont()).horizontalAdvance(m_linkHome->m_strURL);
    if (textWidth >= m_linkHome->width()) m_linkHome->setFixedWidth(textWidth + 1);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);

    auto* grid = new QGridLayout;
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(PlainLabel(kProductLine, QStringLiteral("productLabel"), this), 0, 1);
    grid->addWidget(PlainLabel(kLegalLine, QStringLiteral("legalLabel"), this), 1, 1);
    grid->addWidget(m_linkHome, 2, 1, Qt::AlignLeft);
    grid->setHorizontalSpacing(12);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
