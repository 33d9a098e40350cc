// The board picture box and the program's own artwork.
#include <QSignalSpy>
#include <QtTest>

#include "shell/Artwork.h"
#include "shell/Front.h"

using namespace vextal;

class TestFront : public QObject {
  Q_OBJECT

 private slots:
  void clearLeavesBackColourAndPicture() {
    Front front;
    front.resize(331, 281);
    QImage picture(10, 5, QImage::Format_RGB32);
    picture.fill(QColor(1, 2, 3));
    front.SetBackground(QColor(128, 128, 128), picture);
    front.Clear();
    const QImage& image = front.Image();
    QCOMPARE(image.size(), QSize(329, 279));
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(1, 2, 3));
    QCOMPARE(QColor(image.pixel(9, 4)), QColor(1, 2, 3));
    QCOMPARE(QColor(image.pixel(10, 4)), QColor(128, 128, 128));
    QCOMPARE(QColor(image.pixel(328, 278)), QColor(128, 128, 128));

    // Paint, then clear: the paint is gone.
    front.Image().setPixel(100, 100, qRgb(255, 0, 0));
    front.Clear();
    QCOMPARE(QColor(front.Image().pixel(100, 100)), QColor(128, 128, 128));
  }

  void mouseDownReportsImagePixels() {
    Front front;
    front.resize(331, 281);
    front.Clear();
    front.show();
    QVERIFY(QTest::qWaitForWindowExposed(&front));
    QSignalSpy spy(&front, &Front::MouseDown);
    QTest::mousePress(&front, Qt::RightButton, {}, front.ClientOrigin() + QPoint(65, 90));
    QTest::mousePress(&front, Qt::LeftButton, {}, front.ClientOrigin());
    QCOMPARE(spy.size(), 2);
    QCOMPARE(spy[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(spy[0][1].toInt(), 65);
    QCOMPARE(spy[0][2].toInt(), 90);
    QCOMPARE(spy[1][1].toInt(), 0);
    QCOMPARE(spy[1][2].toInt(), 0);
  }

  void repaintShowsTheStoredImage() {
    Front front;
    front.resize(331, 281);
    front.Clear();
    front.Image().setPixel(40, 30, qRgb(0, 255, 0));
    const QImage shown = front.grab().toImage();
    QCOMPARE(QColor(shown.pixel(front.ClientOrigin() + QPoint(40, 30))), QColor(0, 255, 0));
    QCOMPARE(QColor(shown.pixel(front.ClientOrigin() + QPoint(41, 30))), QColor(128, 128, 128));
    // A second repaint shows the same image: nothing is redrawn from elsewhere.
    QCOMPARE(front.grab().toImage(), shown);
  }

  void artwork() {
    const QImage background = BoardBackground();
    QCOMPARE(background.size(), QSize(329, 279));
    QVERIFY(background.pixel(0, 0) != background.pixel(50, 50));  // not a plain fill
    QCOMPARE(ProgramIconImage(32).size(), QSize(32, 32));
    QCOMPARE(ProgramIconImage(16).size(), QSize(16, 16));
    const QIcon icon = ProgramIcon();
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
  }
};

QTEST_MAIN(TestFront)
#include "test_front.moc"
