// What the Qt widget adds to a paint: the control's own paint pass of a 1280 x 800 list with six
// columns, against the widget's paint of that frame (every window's pixels drawn by QPainter).
//
//     QT_QPA_PLATFORM=offscreen build/default/adapters/qt/glv_qt_bench
#include <QImage>
#include <QTest>

#include <string>
#include <vector>

#include "GlideListViewWidget.h"

using glv::qt::GlideListViewWidget;

class PaintBench : public QObject {
    Q_OBJECT

    GlideListViewWidget widget_;

private slots:
    void initTestCase() {
        widget_.clockTimer().stop();  // nothing but the measured work runs
        glv::GlideListView& list = widget_.control();
        for (int c = 1; c <= 6; ++c) list.AddColumn("Column " + std::to_string(c), -1, 200);
        list.BeginUpdate();
        for (int i = 1; i <= 1000; ++i) {
            std::vector<glv::Variant> cells;
            for (int c = 1; c <= 6; ++c)  // a text and an icon (-1, none) per column
                cells.insert(cells.end(), {glv::Variant("row " + std::to_string(i) + " cell " + std::to_string(c)),
                                           glv::Variant(-1)});
            list.AddItemQuick(glv::Variant::Array(std::move(cells), 0));
        }
        list.EndUpdate();
        widget_.resize(1280, 800);
        widget_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget_));
        QCOMPARE(list.Width(), 1280);
        QCOMPARE(list.Height(), 800);
    }

    void controlPaintPass() {
        QBENCHMARK { widget_.control().Refresh(); }
    }

    // A paint of the shown widget into its window's backing store, as Qt paints it on screen.
    void widgetRepaint() {
        QBENCHMARK { widget_.repaint(); }
    }

    // The same paint into an image of its own (QWidget::render, without a window background).
    void widgetRender() {
        QImage target(1280, 800, QImage::Format_RGB32);
        QBENCHMARK { widget_.render(&target, QPoint(), QRegion(), QWidget::DrawChildren); }
    }
};

QTEST_MAIN(PaintBench)
#include "PaintBench.moc"
