#include "MarkedScrollBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace {

// Seen on the light and the dark bars alike.
const QColor kMark(230, 140, 0);
const QColor kCurrentMark(220, 40, 20);
constexpr int kMarkHeight = 2;

}  // namespace

MarkedScrollBar::MarkedScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {}

void MarkedScrollBar::SetMarks(std::vector<double> marks, std::optional<double> current) {
    if (marks == m_marks && current == m_current) {
        return;
    }
    m_marks = std::move(marks);
    m_current = current;
    update();
}

void MarkedScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (m_marks.empty()) {
        return;
    }
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, this);
    QPainter painter(this);
    auto tick = [&](double fraction, const QColor& color) {
        const int y = groove.top() + static_cast<int>(std::clamp(fraction, 0.0, 1.0) *
                                                      (groove.height() - kMarkHeight));
        painter.fillRect(groove.left() + 2, y, std::max(1, groove.width() - 4), kMarkHeight, color);
    };
    for (const double mark : m_marks) {
        tick(mark, kMark);
    }
    if (m_current) {
        tick(*m_current, kCurrentMark);
    }
}
