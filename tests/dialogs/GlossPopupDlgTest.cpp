#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "CGlossPopupDlg.h"

namespace {

// The smallest x and y of any dark pixel, or (-1, -1) when there is none.
QPoint FirstDarkPixel(const QImage& image) {
    int minX = -1;
    int minY = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128) continue;
            if (minX < 0 || x < minX) minX = x;
            if (minY < 0) minY = y;
        }
    }
    return {minX, minY};
}

bool ColumnHasDarkPixel(const QImage& image, int x) {
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 128) return true;
    }
    return false;
}

}  // namespace

class GlossPopupDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsBelowTheLineAboveItsOwner();
    void showsAboveTheLineWhenTheScreenEndsBelowIt();
    void textStartsInsideWrapsAndHasAThinBorder();
    void releaseOverThePopupHidesIt();
};

void GlossPopupDlgTest::showsBelowTheLineAboveItsOwner() {
    QWidget mainWindow;
    auto* view = new QWidget(&mainWindow);
    mainWindow.resize(600, 400);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    auto* popup = new CGlossPopupDlg(view);
    popup->m_strText = QStringLiteral("apple:苹果");
    // The pointer on a word of the double line 190 … 229.
    popup->ShowByLine(QPoint(100, 200), QRect(0, 190, 600, 40));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QCOMPARE(popup->frameGeometry(), QRect(101, 230, 350, 25));
    QVERIFY(popup->isWindow());
    QCOMPARE(popup->parentWidget(), &mainWindow);  // owned by the window, not the view
    QVERIFY(popup->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    // The reader's button is still down in the view: the popup must not take the focus.
    QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));

    // Near the screen's right edge it moves left to stay whole.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    popup->ShowByLine(QPoint(screen.right() - 10, 20), QRect(0, 10, 600, 40));
    QCOMPARE(popup->frameGeometry(), QRect(screen.right() + 1 - 350, 50, 350, 25));
}

void GlossPopupDlgTest::showsAboveTheLineWhenTheScreenEndsBelowIt() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    CGlossPopupDlg popup;
    popup.m_strText = QStringLiteral("apple:苹果");
    const QRect lastLine(0, screen.bottom() - 39, 600, 40);
    popup.ShowByLine(QPoint(100, lastLine.top() + 5), lastLine);
    QVERIFY(QTest::qWaitForWindowExposed(&popup));
    QCOMPARE(popup.frameGeometry(), QRect(101, lastLine.top() - 25, 350, 25));
    QVERIFY(!popup.frameGeometry().intersects(lastLine));
}

void GlossPopupDlgTest::textStartsInsideWrapsAndHasAThinBorder() {
    CGlossPopupDlg popup;
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Mid, QColor(160, 160, 160));
    popup.setPalette(palette);
    // Full blocks fill their advance, so the first dark pixel is where the text starts.
    popup.m_strText = QString(3, QChar(0x2588));
    popup.ShowByLine(QPoint(10, 10), QRect(0, 0, 600, 40));
    QVERIFY(QTest::qWaitForWindowExposed(&popup));
    QImage image(popup.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    popup.render(&image);
    QCOMPARE(FirstDarkPixel(image), QPoint(CGlossPopupDlg::kTextLeft, CGlossPopupDlg::kTextTop));
    for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)}) {
        QCOMPARE(QColor(image.pixel(corner)), QColor(160, 160, 160));
    }
    QCOMPARE(QColor(image.pixel(1, 1)), QColor(Qt::white));

    // Far more senses than one line holds: wrapped onto more lines, none cut off.
    QString senses = QStringLiteral("word:");
    for (int i = 0; i < 12; ++i) {
        senses += QStringLiteral("嘲笑，戏弄，");
    }
    popup.m_strText = senses;
    popup.ShowByLine(QPoint(10, 10), QRect(0, 0, 600, 40));
    QCOMPARE(popup.width(), CGlossPopupDlg::kWidth);
    QVERIFY(popup.height() >= 3 * popup.fontMetrics().height());
    image = QImage(popup.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    popup.render(&image);
    // Nothing runs into the right margin; the last text line is inside the popup.
    for (int x = image.width() - CGlossPopupDlg::kTextMargin; x < image.width() - 1; ++x) {
        QVERIFY2(!ColumnHasDarkPixel(image, x), qPrintable(QString::number(x)));
    }
    QCOMPARE(popup.height(), popup.SizeForText().height());
}

void GlossPopupDlgTest::releaseOverThePopupHidesIt() {
    QPointer<CGlossPopupDlg> popup = new CGlossPopupDlg;
    popup->m_strText = QStringLiteral("word:");
    popup->ShowByLine(QPoint(50, 50), QRect(0, 40, 600, 40));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(!popup->isVisible());
    QVERIFY(!popup.isNull());  // hidden, not destroyed: its owner deletes it
    delete popup;
}

QTEST_MAIN(GlossPopupDlgTest)
#include "GlossPopupDlgTest.moc"
