#pragma once
// GlideListViewWidget: a GlideListView inside a Qt 6 widget.
//
// The widget owns what a host owns (the platform, the control's site, a form and the control on
// it) and does the host's work in Qt terms:
//  - paint: each visible window's surface (the list, its scroll bars, popups) is drawn with
//    QPainter straight from a QImage over the surface's pixels, no intermediate frame;
//  - input: mouse presses, moves, releases and double clicks go through the form, which routes
//    them as the runtime does; the wheel's angle delta is gathered into 120-unit notches; keys
//    become virtual-key downs and ups, typed text becomes key presses; focus follows the widget;
//  - size: the control covers the widget, in device pixels, so it stays sharp at any device
//    pixel ratio;
//  - time: a QTimer moves the platform's clock with the real one, so the control's timers
//    (tooltips, auto-repeat, delayed repaints) run at their intervals.
//
// Events reach Qt code two ways: the common ones as the signals below, and every one through a
// GlideListViewEvents sink. SignalEvents is the sink that emits the signals; an application
// that wants every event derives its sink from it (calling the base in the overrides of the
// signalled events keeps the signals) and installs it with setEventSink.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <memory>

#include "control/GlideListView.h"
#include "core/Events.h"
#include "platform/Container.h"
#include "platform/Form.h"
#include "platform/Platform.h"

namespace glv::qt {

class GlideListViewWidget;

class SignalEvents : public GlideListViewEvents {
public:
    explicit SignalEvents(GlideListViewWidget& widget) : widget_(widget) {}

    void ItemClick(tListItemInfo& Item, int32_t ItemIndex) override;
    void ItemDblClick(int16_t Button, tListItemInfo& Item, int32_t ItemIndex) override;
    void SelectedIndexChanged(tListItemInfo& Item, int32_t ItemIndex) override;
    void ColumnClick(tColHeaderInfo& Column, int32_t ColIndex) override;
    void AfterItemEdit(bool& Cancel, tListItemInfo& Item, int32_t ItemIndex, std::string& NewString) override;

protected:
    GlideListViewWidget& widget() { return widget_; }

private:
    GlideListViewWidget& widget_;
};

class GlideListViewWidget : public QWidget {
    Q_OBJECT

public:
    // The clock follows the real one in steps of this many milliseconds.
    static constexpr int kClockStepMs = 10;

    explicit GlideListViewWidget(QWidget* parent = nullptr);
    ~GlideListViewWidget() override;

    GlideListView& control() { return *control_; }
    Platform& platform() { return platform_; }
    Container& container() { return container_; }
    Form& form() { return *form_; }

    // Every event goes to sink (nullptr: back to the widget's own SignalEvents). The sink must
    // outlive the widget or be replaced first.
    void setEventSink(GlideListViewEvents* sink);

    // Moves the control's clock by ms at once, firing the timers that fall due (tests, and
    // hosts that drive time themselves after stopping the clock timer).
    void advanceClock(int64_t ms);
    QTimer& clockTimer() { return clockTimer_; }

    QSize sizeHint() const override { return {480, 320}; }

signals:
    void itemClicked(int itemIndex);
    void itemDoubleClicked(int itemIndex, int button);
    void selectionChanged(int itemIndex);
    void columnClicked(int columnIndex);
    // NewString as typed; a slot cannot change the edit (use a sink for that).
    void itemEdited(int itemIndex, const QString& newText);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    void Pointer(Form::PointerAction action, const QMouseEvent& event);
    void Key(uint32_t message, int32_t code);
    void SyncSize();
    void ClockTick();
    // Schedules a repaint when the control painted since the last look.
    void UpdateIfPainted();
    void PaintWindow(class QPainter& painter, HWND hwnd, const QRect& clip, double ratio) const;

    Platform platform_;
    Container container_;
    std::unique_ptr<Form> form_;
    std::unique_ptr<GlideListView> control_;
    SignalEvents signals_{*this};
    QTimer clockTimer_;
    QElapsedTimer elapsed_;
    int64_t clockMs_ = 0;    // real milliseconds already given to the platform's clock
    int wheelRemainder_ = 0; // angle delta short of a whole notch, carried to the next turn
    uint64_t paintsSeen_ = 0;  // the control surface's paint serial the widget last drew
};

}  // namespace glv::qt
