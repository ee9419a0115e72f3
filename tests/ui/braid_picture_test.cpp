// The picture of the closed braid: components, which strand passes over at each crossing (seen
// in the colours of the drawn image), and the blank picture for text that is no braid.

#include <QImage>
#include <QPainter>
#include <QtTest>

#include "ui/braid_picture.h"
#include "ui_test_support.h"

namespace quarvel::ui::testing {
namespace {

constexpr QSize kCanvas(300, 500);

QImage Draw(const BraidClosure& braid) {
  QImage image(kCanvas, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setBackground(Qt::white);
  PaintClosedBraid(painter, QRectF(QPointF(0, 0), kCanvas), braid);
  return image;
}

// The colour at a crossing's centre: that of the strand on top.
QColor AtCrossing(const QImage& image, const BraidClosure& braid, size_t row) {
  BraidLayout layout = BraidLayout::Fit(QRectF(QPointF(0, 0), kCanvas), braid);
  return image.pixelColor(layout.CrossingCentre(row, std::abs(braid.letters[row])).toPoint());
}

// The colour of the vertical strand at `position` halfway down row `row`, where it does not cross.
QColor OnStrand(const QImage& image, const BraidClosure& braid, size_t row, int position) {
  BraidLayout layout = BraidLayout::Fit(QRectF(QPointF(0, 0), kCanvas), braid);
  return image.pixelColor(QPointF(layout.X(position), layout.CrossingCentre(row, 1).y()).toPoint());
}

// Antialiasing blends the edges: colours of one strand differ by a few steps at most.
bool SameInk(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 24;
}

}  // namespace

class BraidPictureTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { UseWorkbenchLook(); }

  void componentsOfClosedBraids_data() {
    QTest::addColumn<std::vector<int>>("letters");
    QTest::addColumn<int>("strands");
    QTest::addColumn<int>("components");
    QTest::addColumn<QString>("name");
    QTest::newRow("trefoil") << std::vector<int>{1, 1, 1} << 2 << 1 << "Knot";
    QTest::newRow("Hopf link") << std::vector<int>{1, 1} << 2 << 2 << "Link of 2 components";
    QTest::newRow("figure eight") << std::vector<int>{-1, 2, -1, 2} << 3 << 1 << "Knot";
    QTest::newRow("untouched first strand") << std::vector<int>{2, 2, 2} << 3 << 2 << "Link of 2 components";
    QTest::newRow("two-strand unlink") << std::vector<int>{1, -1} << 2 << 2 << "Link of 2 components";
    QTest::newRow("Borromean rings") << std::vector<int>{1, -2, 1, -2, 1, -2} << 3 << 3
                                     << "Link of 3 components";
    QTest::newRow("Whitehead link") << std::vector<int>{1, 1, -2, 1, -2} << 3 << 2 << "Link of 2 components";
  }
  void componentsOfClosedBraids() {
    QFETCH(std::vector<int>, letters);
    QFETCH(int, strands);
    QFETCH(int, components);
    QFETCH(QString, name);
    BraidClosure braid = CloseBraid(letters);
    QCOMPARE(braid.strands, strands);
    QCOMPARE(braid.components, components);
    QCOMPARE(ClosureName(braid), name);
    // The strand leaving the bottom at a position comes back in at the top there: one colour.
    std::vector<int> at(static_cast<size_t>(strands) + 1);
    for (int p = 1; p <= strands; ++p) at[static_cast<size_t>(p)] = p;
    for (int letter : letters)
      std::swap(at[static_cast<size_t>(std::abs(letter))], at[static_cast<size_t>(std::abs(letter)) + 1]);
    for (int q = 1; q <= strands; ++q)
      QCOMPARE(braid.topComponent[static_cast<size_t>(at[static_cast<size_t>(q)])],
               braid.topComponent[static_cast<size_t>(q)]);
  }

  void overStrandFollowsTheSignOfTheCrossing() {
    // The Hopf link's two strands are two components of different colours. For +1 the strand
    // coming from position 1 passes over; after the first crossing that is the other component.
    BraidClosure positive = CloseBraid({1, 1});
    QImage image = Draw(positive);
    QColor top1 = AtCrossing(image, positive, 0);
    QColor top2 = AtCrossing(image, positive, 1);
    QVERIFY(top1 != Qt::white && top2 != Qt::white);
    QVERIFY(!SameInk(top1, top2));
    // For -1 it is the strand from position 2, so the mirror shows the other colours on top.
    BraidClosure negative = CloseBraid({-1, -1});
    QImage mirror = Draw(negative);
    QVERIFY(SameInk(AtCrossing(mirror, negative, 0), top2));
    QVERIFY(SameInk(AtCrossing(mirror, negative, 1), top1));
    // A strand that no crossing of its row touches runs straight down; between the positions of a
    // row's crossing and the untouched strand there is only background.
    BraidClosure three = CloseBraid({1, -2});
    QImage straight = Draw(three);
    QVERIFY(OnStrand(straight, three, 0, 3) != Qt::white);
    QVERIFY(OnStrand(straight, three, 1, 1) != Qt::white);
    BraidLayout layout = BraidLayout::Fit(QRectF(QPointF(0, 0), kCanvas), three);
    QPointF between((layout.X(2) + layout.X(3)) / 2, layout.CrossingCentre(0, 1).y());
    QCOMPARE(straight.pixelColor(between.toPoint()), QColor(Qt::white));
  }

  void underStrandIsBrokenAtTheCrossing() {
    BraidClosure braid = CloseBraid({1, 1});
    QImage image = Draw(braid);
    BraidLayout layout = BraidLayout::Fit(QRectF(QPointF(0, 0), kCanvas), braid);
    QPointF centre = layout.CrossingCentre(0, 1);
    // At the centre the under strand (from position 2 to 1) runs along (-2, 1.5), the over strand
    // along (2, 1.5).
    QPointF under(-0.8, 0.6);
    auto inkNear = [&](QPointF p) {
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          if (image.pixelColor(p.toPoint() + QPoint(dx, dy)) != Qt::white) return true;
        }
      }
      return false;
    };
    for (double side : {1.0, -1.0}) {
      QCOMPARE(image.pixelColor((centre + 3.5 * side * under).toPoint()), QColor(Qt::white));
      QVERIFY(inkNear(centre + 12 * side * under));
    }
    QVERIFY(image.pixelColor(centre.toPoint()) != Qt::white);
  }

  void textToPicture_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("shows");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "" << false << "Enter a braid such as {-1,2,-1,2} or pick a knot";
    QTest::newRow("blanks") << "   " << false << "Enter a braid such as {-1,2,-1,2} or pick a knot";
    QTest::newRow("not a number") << "{1.5}" << false << "Not a valid braid description";
    QTest::newRow("letter zero") << "{1,0}" << false << "Not a valid braid description";
    QTest::newRow("too many strands") << "{31}" << false << "Braid description has to many strands";
    QTest::newRow("too many crossings")
        << "{" + QString("1,").repeated(47) + "1}" << false << "Braid has to many crossings";
    QTest::newRow("without braces") << "1 2 -3" << true << "";
    QTest::newRow("with a note") << "{1,2,2,-3,1,-3,1,-2,1,-2,-3}        (Conway knot)" << true << "";
    QTest::newRow("largest") << "{30,-30}" << true << "";
  }
  void textToPicture() {
    QFETCH(QString, text);
    QFETCH(bool, shows);
    QFETCH(QString, message);
    BraidPicture picture;
    picture.resize(130, 220);
    picture.SetBraidText(text);
    QCOMPARE(picture.ShowsBraid(), shows);
    QCOMPARE(picture.Message(), message);
    // Whatever it shows stays inside the panel.
    QImage shot = picture.grab().toImage();
    QCOMPARE(shot.size(), QSize(130, 220));
  }

  void blankPictureHasNoStrands() {
    BraidPicture picture;
    picture.resize(130, 220);
    picture.SetBraidText("{1,1,1}");
    QImage knot = picture.grab().toImage();
    picture.SetBraidText("{1,,1}");
    QImage blank = picture.grab().toImage();
    BraidLayout layout = BraidLayout::Fit(QRectF(8, 8, 114, 186), CloseBraid({1, 1, 1}));
    QPoint crossing = layout.CrossingCentre(1, 1).toPoint();
    QVERIFY(knot.pixelColor(crossing) != picture.palette().color(QPalette::Base));
    QCOMPARE(blank.pixelColor(crossing), picture.palette().color(QPalette::Base));
  }
};

}  // namespace quarvel::ui::testing

QTEST_MAIN(quarvel::ui::testing::BraidPictureTest)
#include "braid_picture_test.moc"
