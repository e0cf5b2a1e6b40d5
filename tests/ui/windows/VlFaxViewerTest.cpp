// The fax viewer control on real APF files: paging, scaling and rotation,
// keys and their edges, the mouse mark and its copy, painting, failures and
// the pages it keeps.
#include "ui/VlFaxViewer.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <string>
#include <vector>

#include "base/ErrorCodes.h"
#include "base/WindowSystemPump.h"
#include "faxdoc/VlFaxConverter.h"
#include "support/TestSupport.h"

namespace vl::ui {
namespace {

constexpr int kFaxWidth = 1728;

// Diagonal stripes, and a dot at the right edge so that the decoded page is
// the full fax width.
bool Ink(int x, int y) { return x == kFaxWidth - 1 || ((x / 8 + y / 4) % 3 == 0 && x % 8 < 4); }

class VlFaxViewerTest : public ::testing::Test {
protected:
    VlFaxViewerTest() {
        viewer.resize(420, 320);
        viewer.show();
    }

    // A fine-resolution fax with one page of each height.
    QString Fax(const std::string& name, std::vector<int> heights) {
        faxdoc::VlFaxConverter converter;
        converter.SetOptions(0);
        converter.SetLeftMargin(0);
        converter.SetResolution(faxdoc::FaxResolution::frHigh);
        converter.SetInputDocumentType(faxdoc::FaxInputDocumentType::idUser);
        converter.SetDocumentFile(dir.folder() + name);
        std::size_t page = 0;
        int y = 0;
        converter.OnReadUserLine = [&](faxdoc::VlFaxConverter&, std::vector<std::uint8_t>& data, bool& endOfPage,
                                       bool& morePages) {
            if (y == heights[page]) {
                endOfPage = true;
                morePages = ++page < heights.size();
                y = 0;
                return;
            }
            data.assign(kFaxWidth / 8, 0);
            for (int x = 0; x < kFaxWidth; ++x)
                if (Ink(x, y)) data[x / 8] |= static_cast<std::uint8_t>(0x80 >> x % 8);
            ++y;
        };
        converter.ConvertToFile();
        return QString::fromStdString(converter.OutFileName());
    }

    QPoint Offset() const { return {viewer.horizontalScrollBar()->value(), viewer.verticalScrollBar()->value()}; }

    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&viewer, static_cast<Qt::Key>(key), modifiers);
    }

    void Mouse(QEvent::Type type, QPoint at) {
        QMouseEvent event(type, at, viewer.viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewer.viewport(), &event);
    }

    test::TempDir dir;
    VlFaxViewer viewer;
};

TEST_F(VlFaxViewerTest, PagesThroughATwoPageFile) {
    QSignalSpy changes(&viewer, &VlFaxViewer::PageChange);
    viewer.SetFileName(Fax("TWO.APF", {1000, 600}));
    EXPECT_EQ(viewer.PageCount(), 2);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    EXPECT_EQ(QSize(viewer.PageWidth(), viewer.PageHeight()), QSize(kFaxWidth, 1000));
    EXPECT_EQ(changes.count(), 1);

    viewer.NextPage();
    EXPECT_EQ(viewer.CurrentPage(), 2);
    EXPECT_EQ(viewer.PageHeight(), 600);
    viewer.NextPage();  // already the last
    viewer.GotoPage(3);
    EXPECT_EQ(changes.count(), 2);
    viewer.FirstPage();
    EXPECT_EQ(viewer.PageHeight(), 1000);
    EXPECT_EQ(changes.count(), 3);

    viewer.SetFileName("");
    EXPECT_EQ(viewer.PageCount(), 0);
    EXPECT_EQ(viewer.PageWidth(), 0);
}

TEST_F(VlFaxViewerTest, ScalingIsAppliedOnceAtTheEndOfAnUpdateAndRotationTurnsThePage) {
    viewer.SetFileName(Fax("ONE.APF", {1000}));
    QSignalSpy changes(&viewer, &VlFaxViewer::PageChange);
    viewer.BeginUpdate();
    viewer.SetScaling(true);
    viewer.SetScaleFactors(1, 2, 1, 2);
    viewer.SetRotation(1);
    EXPECT_EQ(changes.count(), 0);
    viewer.EndUpdate();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(QSize(viewer.PageWidth(), viewer.PageHeight()), QSize(500, kFaxWidth / 2));

    viewer.SetRotation(4);  // ignored
    viewer.SetRotation(0);
    EXPECT_EQ(QSize(viewer.PageWidth(), viewer.PageHeight()), QSize(kFaxWidth / 2, 500));
    viewer.SetScaleFactors(3, 3, 2, 1);  // an equal pair is kept as 1/1
    EXPECT_EQ(viewer.HorizMult(), 1);
    EXPECT_EQ(viewer.HorizDiv(), 1);
    EXPECT_EQ(QSize(viewer.PageWidth(), viewer.PageHeight()), QSize(kFaxWidth, 2000));
}

TEST_F(VlFaxViewerTest, KeysScrollByStepsAndJumpsWithinThePageAndTurnPages) {
    viewer.SetFileName(Fax("TWO.APF", {1000, 600}));
    const QSize view = viewer.viewport()->size();
    const int maxX = kFaxWidth - view.width();
    const int maxY = 1000 - view.height();
    ASSERT_GT(maxX, 80);
    ASSERT_GT(maxY, 80);

    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        QPoint offset;
    } steps[] = {
        {Qt::Key_Up, {}, {0, 0}},  // already at the top
        {Qt::Key_Left, {}, {0, 0}},
        {Qt::Key_Right, {}, {8, 0}},
        {Qt::Key_Down, {}, {8, 8}},
        {Qt::Key_Down, Qt::ControlModifier, {8, 88}},
        {Qt::Key_Right, Qt::ControlModifier, {88, 88}},
        {Qt::Key_Left, {}, {80, 88}},
        {Qt::Key_End, {}, {maxX, 88}},
        {Qt::Key_Right, Qt::ControlModifier, {maxX, 88}},  // no further than the edge
        {Qt::Key_PageDown, Qt::ControlModifier, {maxX, maxY}},
        {Qt::Key_Down, {}, {maxX, maxY}},
        {Qt::Key_Home, {}, {0, maxY}},
        {Qt::Key_PageUp, Qt::ControlModifier, {0, 0}},
        {Qt::Key_Down, Qt::ControlModifier, {0, 80}},
        {Qt::Key_Home, Qt::ControlModifier, {0, 0}},  // on the first page: to the top left
    };
    for (const auto& step : steps) {
        Key(step.key, step.modifiers);
        EXPECT_EQ(Offset(), step.offset) << QTest::toString(QKeySequence(step.key | step.modifiers));
        EXPECT_EQ(viewer.CurrentPage(), 1);
    }

    Key(Qt::Key_PageDown);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    Key(Qt::Key_Down);
    Key(Qt::Key_End, Qt::ControlModifier);  // on the last page: to the top left
    EXPECT_EQ(viewer.CurrentPage(), 2);
    EXPECT_EQ(Offset(), QPoint(0, 0));
    Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(viewer.CurrentPage(), 1);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(viewer.CurrentPage(), 2);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(viewer.CurrentPage(), 1);
}

TEST_F(VlFaxViewerTest, TheMouseMarksInPageCoordinatesAndTheCopyHasTheMarkedSize) {
    viewer.SetFileName(Fax("ONE.APF", {1000}));
    Key(Qt::Key_Right);
    Key(Qt::Key_Down, Qt::ControlModifier);
    Mouse(QEvent::MouseButtonPress, {110, 70});
    Mouse(QEvent::MouseMove, {10, 20});
    Mouse(QEvent::MouseButtonRelease, {10, 20});
    const QRect mark(18, 100, 100, 50);
    ASSERT_EQ(viewer.Mark(), mark);

    viewer.CopyToClipboard();
    const QImage copy = QGuiApplication::clipboard()->image();
    ASSERT_EQ(copy.size(), mark.size());
    for (int y = 0; y < copy.height(); ++y)
        for (int x = 0; x < copy.width(); ++x)
            ASSERT_EQ(qGray(copy.pixel(x, y)) < 128, Ink(mark.x() + x, mark.y() + y)) << x << "," << y;

    // Held far beyond the bottom edge, the pointer scrolls the page two steps
    // at a time and the mark follows it.
    Key(Qt::Key_Down);
    const int below = viewer.viewport()->height() + 30;
    Mouse(QEvent::MouseButtonPress, {50, 50});
    Mouse(QEvent::MouseMove, {60, below});
    QTRY_VERIFY(Offset().y() >= 88 + 3 * 8);
    Mouse(QEvent::MouseButtonRelease, {60, below});
    EXPECT_EQ((Offset().y() - 88) % 16, 0);
    EXPECT_EQ(viewer.Mark().bottom() + 1, std::min(1000, Offset().y() + below));

    viewer.SelectAll();
    EXPECT_EQ(viewer.Mark(), QRect(0, 0, kFaxWidth, 1000));
    viewer.NextPage();  // no second page: the mark stays
    viewer.SetRotation(2);
    EXPECT_TRUE(viewer.Mark().isEmpty());
}

TEST_F(VlFaxViewerTest, PaintsInItsColoursWithTheMarkInvertedAndBackgroundBeyondThePage) {
    viewer.SetFileName(Fax("ONE.APF", {1000}));
    viewer.SetScaling(true);
    viewer.SetScaleFactors(1, 8, 1, 1);  // 216 pixels wide
    viewer.SetFGColor(Qt::red);
    viewer.SetBGColor(Qt::blue);
    Mouse(QEvent::MouseButtonPress, {0, 0});
    Mouse(QEvent::MouseMove, {10, 10});
    Mouse(QEvent::MouseButtonRelease, {10, 10});
    const QImage shown = viewer.viewport()->grab().toImage();
    // Shrunk eightfold, each stripe is one pixel: black wins over white.
    EXPECT_EQ(shown.pixelColor(21, 0), QColor(Qt::red));
    EXPECT_EQ(shown.pixelColor(20, 3), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(300, 5), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::cyan));     // red inverted
    EXPECT_EQ(shown.pixelColor(5, 3), QColor(Qt::yellow));   // blue inverted
}

TEST_F(VlFaxViewerTest, AFileThatCannotBeReadReportsItsCodeAndUnloads) {
    const QString good = Fax("GOOD.APF", {1000, 600});
    // The header promises two pages; the first one's data ends early.
    test::WriteFile(dir.folder() + "CUT.APF", test::ReadFile(good.toStdString()).substr(0, 100));

    const struct {
        std::string name;
        int code;
    } cases[] = {
        {"NONE.APF", base::ecFileNotFound},  // fails to open
        {"CUT.APF", base::ecFaxBadFormat},   // fails to decode
    };
    for (const auto& c : cases) {
        viewer.SetFileName(good);
        QSignalSpy errors(&viewer, &VlFaxViewer::ViewerError);
        viewer.SetFileName(QString::fromStdString(dir.folder() + c.name));
        ASSERT_EQ(errors.count(), 1) << c.name;
        EXPECT_EQ(errors.front().front().toInt(), c.code) << c.name;
        EXPECT_TRUE(viewer.FileName().isEmpty()) << c.name;
        EXPECT_EQ(viewer.PageCount(), 0) << c.name;
        EXPECT_EQ(viewer.PageWidth(), 0) << c.name;
    }
}

TEST_F(VlFaxViewerTest, LoadWholeFaxKeepsEveryPageDecodedAndOnlyThen) {
    for (const bool whole : {true, false}) {
        const QString file = Fax("TWO.APF", {1000, 600});
        viewer.SetLoadWholeFax(whole);
        viewer.SetFileName(file);
        EXPECT_EQ(viewer.DecodedPages(), whole ? 2 : 1);
        std::filesystem::remove(file.toStdString());

        QSignalSpy errors(&viewer, &VlFaxViewer::ViewerError);
        viewer.NextPage();
        viewer.SetRotation(1);
        EXPECT_EQ(errors.count(), whole ? 0 : 1) << whole;
        EXPECT_EQ(viewer.CurrentPage(), whole ? 2 : 0) << whole;
        EXPECT_EQ(viewer.PageWidth(), whole ? 600 : 0);
    }
}

TEST_F(VlFaxViewerTest, WhileAPageDecodesPagingIsIgnoredAndANewFileWaitsItsTurn) {
    const QString first = Fax("FIRST.APF", {1000, 600});
    const QString second = Fax("SECOND.APF", {500});
    int yields = 0;
    const auto previous = base::SetWindowSystemPump([&] {
        if (++yields != 1) return;
        viewer.NextPage();
        viewer.SetFileName(second);
    });
    QSignalSpy changes(&viewer, &VlFaxViewer::PageChange);
    viewer.SetFileName(first);
    base::SetWindowSystemPump(previous);

    EXPECT_GT(yields, 1);
    EXPECT_EQ(viewer.FileName(), second);
    EXPECT_EQ(viewer.PageCount(), 1);
    EXPECT_EQ(viewer.PageHeight(), 500);
    EXPECT_EQ(changes.count(), 1);
}

}  // namespace
}  // namespace vl::ui
