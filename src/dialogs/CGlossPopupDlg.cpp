#include "CGlossPopupDlg.h"

#include <QMouseEvent>
#include <QPainter>

CGlossPopupDlg::CGlossPopupDlg(QWidget* pParent)
    : QWidget(pParent ? pParent->window() : nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("glossPopup"));
    // The reader's button is still down in the view: the popup must not take
    // the focus or the activation away from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

void CGlossPopupDlg::ShowAt(const QPoint& globalPoint)
{
    setGeometry(globalPoint.x() + 1, globalPoint.y() + 1, kWidth, kHeight);
    show();
    raise();
    update();
}

void CGlossPopupDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // A long gloss is cut at the popup's right edge rather than wrapped.
    const QRect textRect = rect().adjusted(kTextLeft, kTextTop, 0, 0);
    painter.setClipRect(textRect);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_strText);
}

void CGlossPopupDlg::mouseReleaseEvent(QMouseEvent* event)
{
    QWidget::mouseReleaseEvent(event);
    hide();
}
