#include "CLinkLabel.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

CLinkLabel::CLinkLabel(QWidget* pParent)
    : QWidget(pParent), m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("homeLink"));
    setFixedSize(kWidth, QFontMetrics(LinkFont()).height());
    setCursor(Qt::PointingHandCursor);
}

QFont CLinkLabel::LinkFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setUnderline(true);
    return font;
}

void CLinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(LinkFont());
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_strURL);
}

void CLinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_openUrl) m_openUrl(QUrl(m_strURL));
    QWidget::mousePressEvent(event);
}
