#pragma once

#include <QWidget>

class QSlider;

// The exams under the vocabulary slider's ticks: each exam's name under the first step
// that covers most of its word list (ExamCoverage), so that a step reads as "past 四级".
class StepScale : public QWidget {
    Q_OBJECT
public:
    StepScale(QSlider* slider, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The x, in this widget, of the tick of `step`.
    int TickX(int step) const;
    QSlider* m_slider;
};
