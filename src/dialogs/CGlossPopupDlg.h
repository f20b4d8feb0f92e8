#pragma once

#include <QWidget>

// One line of text beside the pointer while the reader holds the mouse button
// on a word: the word, a colon and its gloss. A borderless window that stays
// above its owner and has no taskbar entry; its owner shows, moves and deletes it.
class CGlossPopupDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 350;
    static constexpr int kHeight = 25;
    // Where the text starts inside the popup.
    static constexpr int kTextLeft = 15;
    static constexpr int kTextTop = 3;

    // pParent: any widget of the owning window; the popup belongs to that window.
    explicit CGlossPopupDlg(QWidget* pParent = nullptr);

    QString m_strText;

    // Shows m_strText with the popup's corner one pixel right of and below the
    // given screen point, so the release of the button still reaches the view.
    void ShowAt(const QPoint& globalPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
