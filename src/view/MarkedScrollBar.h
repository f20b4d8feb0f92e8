#pragma once

#include <QColor>
#include <QScrollBar>
#include <optional>
#include <vector>

// A scroll bar with ticks along its groove: where the find bar's matches lie in the
// text, the current one in its own colour.
class MarkedScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit MarkedScrollBar(QWidget* parent = nullptr);

    // Fractions of the text's height, 0 … 1, and the current match's.
    void SetMarks(std::vector<double> marks, std::optional<double> current);
    const std::vector<double>& Marks() const { return m_marks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<double> m_marks;
    std::optional<double> m_current;
};
