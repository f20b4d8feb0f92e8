#pragma once

#include <QFont>
#include <QUrl>
#include <QWidget>
#include <functional>

// A web address drawn as a link: blue, underlined, 15-pixel Arial over the
// dialog's own background. The whole control, not only the painted text, shows
// the hand pointer and opens the address when clicked.
class CLinkLabel : public QWidget {
    Q_OBJECT
public:
    // The control's width: 137 dialog units of the About box's 9-point font.
    // Its height is the link font's line height rather than 9 dialog units, so
    // the underline below the 15-pixel text is never cut off.
    static constexpr int kWidth = 206;

    explicit CLinkLabel(QWidget* pParent = nullptr);

    // 15-pixel Arial (or what fontconfig puts in its place), underlined.
    static QFont LinkFont();

    // Both the text painted and the address opened.
    QString m_strURL;

    // Opens the address; QDesktopServices::openUrl unless a test replaces it.
    std::function<bool(const QUrl&)> m_openUrl;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
