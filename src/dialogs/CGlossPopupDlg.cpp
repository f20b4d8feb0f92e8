#include "CGlossPopupDlg.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

}  // namespace

CGlossPopupDlg::CGlossPopupDlg(QWidget* pParent)
    : QWidget(pParent ? pParent->window() : nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("glossPopup"));
    // The reader's button is still down in the view: the popup must not take
    // the focus or the activation away from the main window.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
}

QRect CGlossPopupDlg::TextRect(const QRect& popup) const {
    return popup.adjusted(kTextLeft, kTextTop, -kTextMargin, -kTextTop);
}

QSize CGlossPopupDlg::SizeForText() const {
    const QRect text = TextRect(QRect(0, 0, kWidth, kHeight));
    const QRect needed =
        fontMetrics().boundingRect(QRect(0, 0, text.width(), 100000), kTextFlags, m_strText);
    return {kWidth, std::max(kHeight, needed.height() + 2 * kTextTop)};
}

void CGlossPopupDlg::ShowByLine(const QPoint& globalPointer, const QRect& line) {
    const QSize size = SizeForText();
    QScreen* screen = QGuiApplication::screenAt(globalPointer);
    const QRect available = screen != nullptr ? screen->availableGeometry()
                                              : QRect(line.topLeft(), QSize(100000, 100000));
    int x = globalPointer.x() + 1;
    x = std::max(available.left(), std::min(x, available.right() + 1 - size.width()));
    int y = line.bottom() + 1;
    if (y + size.height() > available.bottom() + 1) {
        y = line.top() - size.height();
    }
    setGeometry(QRect(QPoint(x, y), size));
    show();
    raise();
    update();
}

void CGlossPopupDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // A thin border sets the popup off from a page of the same colour.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(TextRect(rect()), kTextFlags, m_strText);
}

void CGlossPopupDlg::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    hide();
}
