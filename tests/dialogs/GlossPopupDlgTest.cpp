#include "CGlossPopupDlg.h"

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTest>

namespace {

// The smallest x and y of any dark pixel, or (-1, -1) when there is none.
QPoint FirstDarkPixel(const QImage& image)
{
    int minX = -1;
    int minY = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128)
                continue;
            if (minX < 0 || x < minX)
                minX = x;
            if (minY < 0)
                minY = y;
        }
    }
    return {minX, minY};
}

bool ColumnHasDarkPixel(const QImage& image, int x)
{
    for (int y = 0; y < image.height(); ++y) {
        if (qGray(image.pixel(x, y)) < 128)
            return true;
    }
    return false;
}

}  // namespace

class GlossPopupDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsBesideThePointerAboveItsOwner();
    void textStartsInsideAndIsCutAtTheRightEdge();
    void releaseOverThePopupHidesIt();
};

void GlossPopupDlgTest::showsBesideThePointerAboveItsOwner()
{
    QWidget mainWindow;
    auto* view = new QWidget(&mainWindow);
    mainWindow.resize(600, 400);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    auto* popup = new CGlossPopupDlg(view);
    popup->m_strText = QStringLiteral("apple:苹果");
    popup->ShowAt(QPoint(100, 200));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QCOMPARE(popup->frameGeometry(), QRect(101, 201, 350, 25));
    QVERIFY(popup->isWindow());
    QCOMPARE(popup->parentWidget(), &mainWindow);  // owned by the window, not the view
    QVERIFY(popup->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
    // The reader's button is still down in the view: the popup must not take the focus.
    QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));

    popup->ShowAt(QPoint(0, 0));
    QCOMPARE(popup->frameGeometry(), QRect(1, 1, 350, 25));
}

void GlossPopupDlgTest::textStartsInsideAndIsCutAtTheRightEdge()
{
    CGlossPopupDlg popup;
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    popup.setPalette(palette);
    // Full blocks fill their advance, so the first dark pixel is where the text starts;
    // eighty of them are far wider than the popup.
    popup.m_strText = QString(80, QChar(0x2588));
    popup.ShowAt(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&popup));

    QImage image(popup.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    popup.render(&image);
    QCOMPARE(FirstDarkPixel(image), QPoint(CGlossPopupDlg::kTextLeft, CGlossPopupDlg::kTextTop));
    QVERIFY(ColumnHasDarkPixel(image, image.width() - 1));  // cut, not wrapped or elided
}

void GlossPopupDlgTest::releaseOverThePopupHidesIt()
{
    QPointer<CGlossPopupDlg> popup = new CGlossPopupDlg;
    popup->m_strText = QStringLiteral("word:");
    popup->ShowAt(QPoint(50, 50));
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(!popup->isVisible());
    QVERIFY(!popup.isNull());  // hidden, not destroyed: its owner deletes it
    delete popup;
}

QTEST_MAIN(GlossPopupDlgTest)
#include "GlossPopupDlgTest.moc"
