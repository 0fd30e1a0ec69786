// The Qt widget under the offscreen platform: input mapping, the picture it paints, the event
// order of a click, size and time.
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "GlideListViewWidget.h"
#include "QtInput.h"
#include "core/EventRecorder.h"

using glv::qt::GlideListViewWidget;

namespace {

// A widget with three columns and `rows` items, shown, with the keyboard focus.
void Fill(GlideListViewWidget& widget, int rows) {
    glv::GlideListView& list = widget.control();
    list.AddColumn("Name", -1, 150);
    list.AddColumn("Size", -1, 80);
    list.AddColumn("Kind", -1, 100);
    list.BeginUpdate();
    for (int i = 1; i <= rows; ++i) {
        // A text and an icon (-1, none) per column.
        std::vector<glv::Variant> fields{"file" + std::to_string(i), -1, std::to_string(i) + " KB", -1, "text", -1};
        list.AddItemQuick(glv::Variant::Array(std::move(fields), 0));
    }
    list.EndUpdate();
}

void Show(GlideListViewWidget& widget) {
    widget.resize(400, 200);
    widget.show();
    widget.activateWindow();
    widget.setFocus();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

// The widget's grab against the form's own composition, pixel by pixel.
QString FirstDifference(GlideListViewWidget& widget) {
    const QImage grabbed = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const glv::Surface frame = widget.form().Compose();
    if (grabbed.width() != frame.Width() || grabbed.height() != frame.Height())
        return QString("size %1x%2 against %3x%4").arg(grabbed.width()).arg(grabbed.height())
            .arg(frame.Width()).arg(frame.Height());
    for (int y = 0; y < frame.Height(); ++y)
        for (int x = 0; x < frame.Width(); ++x) {
            const uint32_t want = frame.Pixels()[y * frame.Width() + x] & 0xFFFFFF;
            const uint32_t got = grabbed.pixel(x, y) & 0xFFFFFF;
            if (want != got) return QString("(%1,%2): %3 against %4").arg(x).arg(y).arg(got, 6, 16).arg(want, 6, 16);
        }
    return {};
}

// The centre of the first column of an item, in widget pixels.
QPoint RowPoint(GlideListViewWidget& widget, int index) {
    const glv::tListItemInfo& item = widget.control().ItemRecord(index);
    return {40, item.cLIItemY + item.cLIItemHeight / 2};
}

}  // namespace

class WidgetTest : public QObject {
    Q_OBJECT

private slots:
    void virtualKeys_data() {
        QTest::addColumn<int>("qtKey");
        QTest::addColumn<int>("code");
        QTest::newRow("A") << int(Qt::Key_A) << 0x41;
        QTest::newRow("Z") << int(Qt::Key_Z) << 0x5A;
        QTest::newRow("0") << int(Qt::Key_0) << 0x30;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0x70;
        QTest::newRow("F12") << int(Qt::Key_F12) << 0x7B;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0x0D;
        QTest::newRow("Enter") << int(Qt::Key_Enter) << 0x0D;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 0x1B;
        QTest::newRow("PageDown") << int(Qt::Key_PageDown) << 0x22;
        QTest::newRow("Home") << int(Qt::Key_Home) << 0x24;
        QTest::newRow("Down") << int(Qt::Key_Down) << 0x28;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0x2E;
        QTest::newRow("Control") << int(Qt::Key_Control) << 0x11;
        QTest::newRow("no code") << int(Qt::Key_VolumeUp) << 0;
    }
    void virtualKeys() {
        QFETCH(int, qtKey);
        QFETCH(int, code);
        QCOMPARE(glv::qt::VirtualKeyOf(qtKey), code);
    }

    void buttonsAndModifiers() {
        using glv::qt::ButtonOf;
        using glv::qt::ShiftOf;
        QCOMPARE(ButtonOf(Qt::LeftButton), 1);
        QCOMPARE(ButtonOf(Qt::RightButton), 2);
        QCOMPARE(ButtonOf(Qt::MiddleButton), 4);
        QCOMPARE(ButtonOf(Qt::BackButton), 0);
        QCOMPARE(glv::qt::ButtonsOf(Qt::LeftButton | Qt::MiddleButton), 5);
        QCOMPARE(ShiftOf(Qt::NoModifier), 0);
        QCOMPARE(ShiftOf(Qt::ShiftModifier | Qt::AltModifier), 5);
        QCOMPARE(ShiftOf(Qt::ControlModifier | Qt::KeypadModifier), 2);
    }

    // High-resolution wheels send fractions of a notch; the control takes whole ones.
    void wheelNotches() {
        int rest = 0;
        QString out;
        for (const int delta : {120, -240, 40, 40, 40, 60, -30, 360}) {
            const int sent = glv::qt::WheelDelta(rest, delta);
            out += QString("%1/%2 ").arg(sent).arg(rest);
        }
        QCOMPARE(out, QString("120/0 -240/0 0/40 0/80 120/0 0/60 0/-30 360/0 "));
    }

    // The painted widget is the form's composition exactly, before and after a selection.
    void grabMatchesTheComposedFrame() {
        GlideListViewWidget widget;
        Fill(widget, 20);
        Show(widget);
        QCOMPARE(widget.control().Width(), 400);
        QCOMPARE(widget.control().Height(), 200);
        QCOMPARE(FirstDifference(widget), QString());
        widget.control().SetSelectedIndex(3);
        QCOMPARE(FirstDifference(widget), QString());
    }

    void resizeFollowsTheWidget() {
        GlideListViewWidget widget;
        Fill(widget, 50);
        Show(widget);
        widget.resize(300, 150);
        QCOMPARE(widget.control().Width(), 300);
        QCOMPARE(widget.control().Height(), 150);
        QCOMPARE(widget.form().Compose().Width(), 300);
        QCOMPARE(FirstDifference(widget), QString());
    }

    // A left click on an unselected row: the selection moves first, then the press, the release
    // and the click, each event followed by its twin.
    void clickRaisesTheEventsInOrder() {
        GlideListViewWidget widget;
        Fill(widget, 10);
        Show(widget);
        glv::EventRecorder recorder;
        widget.setEventSink(&recorder);
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, RowPoint(widget, 2));
        QStringList names;
        for (const std::string& line : recorder.Lines()) {
            const QString name = QString::fromStdString(line.substr(0, line.find(' ')));
            if (!name.contains("MouseMove")) names << name;
        }
        QCOMPARE(names.join(' '), QString("SelectedIndexChanged SelectedIndexChangedAlt ItemMouseDown "
                                          "ItemMouseDownAlt ItemMouseUp ItemMouseUpAlt ItemClick ItemClickAlt"));
        QVERIFY(widget.control().SelectState(2));
        // The grab shows the selection: row 2 in the focused selection colour, row 1 not.
        const QImage grabbed = widget.grab().toImage();
        const QPoint row2 = RowPoint(widget, 2) + QPoint(60, 0);
        const QPoint row1 = RowPoint(widget, 1) + QPoint(60, 0);
        QVERIFY(grabbed.pixel(row2) != grabbed.pixel(row1));
        QCOMPARE(FirstDifference(widget), QString());
    }

    // The common events arrive as signals through the widget's own sink.
    void signalsCarryTheCommonEvents() {
        GlideListViewWidget widget;
        Fill(widget, 3);
        QSignalSpy clicked(&widget, &GlideListViewWidget::itemClicked);
        QSignalSpy selected(&widget, &GlideListViewWidget::selectionChanged);
        QSignalSpy edited(&widget, &GlideListViewWidget::itemEdited);
        glv::GlideListViewEvents& sink = *widget.control().EventSink();
        glv::tListItemInfo item;
        sink.ItemClick(item, 2);
        sink.SelectedIndexChanged(item, 3);
        bool cancel = false;
        std::string text = "renamed";
        sink.AfterItemEdit(cancel, item, 1, text);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 2);
        QCOMPARE(selected.at(0).at(0).toInt(), 3);
        QCOMPARE(edited.at(0).at(1).toString(), QString("renamed"));
    }

    // The QTimer moves the platform's clock, so a timer of the platform ticks by itself.
    void clockRunsFromTheQtTimer() {
        GlideListViewWidget widget;
        glv::Clock& clock = widget.platform().clock;
        int ticks = 0;
        const glv::TimerId timer = clock.CreateTimer([&ticks] { ++ticks; });
        clock.SetInterval(timer, 20);
        clock.Start(timer);
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 2, 10000);
        widget.advanceClock(1000);
        QVERIFY(ticks >= 52);
        clock.DestroyTimer(timer);
    }
};

QTEST_MAIN(WidgetTest)
#include "WidgetTest.moc"
