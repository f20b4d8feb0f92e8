#pragma once

#include <QRect>
#include <QWidget>

// The word under the reader's held mouse button, a colon and its gloss, in a
// thin-bordered box 350 pixels wide beside the line being read: the senses wrap
// onto as many lines as they need. A borderless window that stays above its owner
// and has no taskbar entry; its owner shows, moves and deletes it.
class CGlossPopupDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 350;
    // The height of a popup of one line of text; longer texts make it taller.
    static constexpr int kHeight = 25;
    // Where the text starts inside the popup, and the margin right of and below it.
    static constexpr int kTextLeft = 15;
    static constexpr int kTextTop = 3;
    static constexpr int kTextMargin = 6;

    // pParent: any widget of the owning window; the popup belongs to that window.
    explicit CGlossPopupDlg(QWidget* pParent = nullptr);

    QString m_strText;

    // Shows m_strText from one pixel right of the pointer's x, just below `line` (the
    // double line being read, in screen coordinates), or just above it when the
    // screen has no room below: the popup never covers the line. Kept on the screen
    // left and right.
    void ShowByLine(const QPoint& globalPointer, const QRect& line);

    // The popup's size for m_strText: kWidth wide, tall enough for the wrapped text.
    QSize SizeForText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect TextRect(const QRect& popup) const;
};
