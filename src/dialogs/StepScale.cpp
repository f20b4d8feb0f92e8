#include "StepScale.h"

#include <QPainter>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>
#include <map>

#include "ExamCoverage.h"

StepScale::StepScale(QSlider* slider, QWidget* parent) : QWidget(parent), m_slider(slider) {
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    setFont(small);
}

QSize StepScale::sizeHint() const {
    // Two exams share a step at most in the shipped data; room for a third.
    return {m_slider->sizeHint().width(), fontMetrics().height() * 3};
}

int StepScale::TickX(int step) const {
    QStyleOptionSlider opt;
    opt.initFrom(m_slider);
    opt.orientation = m_slider->orientation();
    opt.minimum = m_slider->minimum();
    opt.maximum = m_slider->maximum();
    opt.sliderPosition = m_slider->sliderPosition();
    opt.sliderValue = m_slider->value();
    opt.tickPosition = m_slider->tickPosition();
    opt.tickInterval = m_slider->tickInterval();
    const QStyle* style = m_slider->style();
    const QRect groove =
        style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, m_slider);
    const QRect handle =
        style->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, m_slider);
    const int span = groove.width() - handle.width();
    const int x = groove.x() + handle.width() / 2 +
                  QStyle::sliderPositionFromValue(opt.minimum, opt.maximum, step, span);
    return mapFromGlobal(m_slider->mapToGlobal(QPoint(x, 0))).x();
}

void StepScale::paintEvent(QPaintEvent*) {
    std::map<int, QStringList> names;
    for (std::string_view exam : MeasuredExams()) {
        if (const int step = FirstStepCovering(exam)) {
            names[step] << QString::fromStdString(ExamName(exam));
        }
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int lineHeight = fontMetrics().height();
    for (const auto& [step, exams] : names) {
        const int x = TickX(step);
        for (int i = 0; i < exams.size(); ++i) {
            const int width = fontMetrics().horizontalAdvance(exams[i]);
            const int left = std::clamp(x - width / 2, 0, std::max(0, this->width() - width));
            painter.drawText(QRect(left, i * lineHeight, width, lineHeight), Qt::AlignCenter,
                             exams[i]);
        }
    }
}
