#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "CAboutDlg.h"
#include "CLinkLabel.h"
#include "ModalDialogWatcher.h"

namespace {

// The pointer shape the reader sees at a point of the dialog.
Qt::CursorShape CursorAt(QWidget& dialog, QPoint point) {
    QWidget* under = dialog.childAt(point);
    return (under ? under : &dialog)->cursor().shape();
}

}  // namespace

class AboutDlgTest : public QObject {
    Q_OBJECT
private slots:
    void showsProductAndLegalLines();
    void handCursorCoversTheWholeLinkRectangle();
    void linkIsBlueUnderlinedAndTransparent();
    void clickOnTheLinkOpensItOnceAndKeepsTheBoxOpen();
};

void AboutDlgTest::showsProductAndLegalLines() {
    CAboutDlg dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("关于 Vellumwise"));
    const QString product = dlg.findChild<QLabel*>("productLabel")->text();
    QVERIFY(product.startsWith(QStringLiteral("Vellumwise ")));
    QVERIFY(product.endsWith(QStringLiteral(" 1.0")));
    QVERIFY(dlg.findChild<QLabel*>("legalLabel")->text().contains(QStringLiteral("ECDICT")));
    QCOMPARE(dlg.findChild<QPushButton*>("okButton")->text(), QStringLiteral("确定"));
    QCOMPARE(dlg.m_linkHome->m_strURL, QStringLiteral(VELLUMWISE_HOMEPAGE_URL));
}

void AboutDlgTest::handCursorCoversTheWholeLinkRectangle() {
    CAboutDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QRect link = dlg.m_linkHome->geometry();
    QVERIFY(link.width() >= CLinkLabel::kWidth);
    QVERIFY(link.width() >
            QFontMetrics(CLinkLabel::LinkFont()).horizontalAdvance(dlg.m_linkHome->m_strURL));

    const QPoint inside[] = {link.topLeft(), link.bottomRight(), link.topRight(),
                             QPoint(link.right() - 1, link.center().y())};  // right of the text
    for (const QPoint& p : inside) QCOMPARE(CursorAt(dlg, p), Qt::PointingHandCursor);
    const QPoint outside[] = {link.topLeft() - QPoint(1, 0), link.topLeft() - QPoint(0, 1),
                              link.bottomRight() + QPoint(1, 0), link.bottomRight() + QPoint(0, 1),
                              QPoint(2, 2)};
    for (const QPoint& p : outside) QCOMPARE(CursorAt(dlg, p), Qt::ArrowCursor);
}

void AboutDlgTest::linkIsBlueUnderlinedAndTransparent() {
    CLinkLabel link;
    link.m_strURL = QStringLiteral("https://example.org/");
    QImage image(link.size(), QImage::Format_RGB32);
    image.fill(Qt::green);  // anything the link does not paint stays green
    link.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);

    int pureBlue = 0;
    int widestBlueRun = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = image.pixel(x, y);
            if (px == QColor(Qt::green).rgb()) {
                run = 0;
                continue;
            }
            QCOMPARE(qRed(px), 0);  // blue blended over the background, nothing else
            if (px == qRgb(0, 0, 255)) ++pureBlue;
            widestBlueRun = std::max(widestBlueRun, ++run);
        }
    }
    QVERIFY(pureBlue > 0);
    const QFont font = CLinkLabel::LinkFont();
    QCOMPARE(font.pixelSize(), 15);
    QVERIFY(font.underline());
    const int textWidth = QFontMetrics(font).horizontalAdvance(link.m_strURL);
    QVERIFY2(widestBlueRun >= textWidth * 9 / 10, "the underline is missing or cut off");
    QCOMPARE(QColor(image.pixel(image.width() - 1, 0)), QColor(Qt::green));
}

void AboutDlgTest::clickOnTheLinkOpensItOnceAndKeepsTheBoxOpen() {
    CAboutDlg dlg;
    QList<QUrl> opened;
    dlg.m_linkHome->m_openUrl = [&](const QUrl& url) {
        opened.append(url);
        return true;
    };
    bool openAfterClicks = false;
    WhenModal("aboutDialog", [&](QWidget*) {
        CLinkLabel* link = dlg.m_linkHome;
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(&dlg, Qt::LeftButton, {}, QPoint(2, 2));  // elsewhere in the box
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(link->width() - 2, link->height() - 2));
        openAfterClicks = dlg.isVisible();
        QTest::mouseClick(dlg.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    });
    dlg.exec();
    QVERIFY(openAfterClicks);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened.first(), QUrl(QStringLiteral(VELLUMWISE_HOMEPAGE_URL)));
}

QTEST_MAIN(AboutDlgTest)
#include "AboutDlgTest.moc"
