#include "GlideListViewWidget.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <cmath>

#include "QtInput.h"
#include "platform/Surface.h"
#include "platform/VirtualKeys.h"

namespace glv::qt {

namespace {

// Bits of a key message's lParam, as the system sets them.
constexpr intptr_t kAltContextBit = intptr_t{1} << 29;
constexpr intptr_t kKeyUpBits = intptr_t{3} << 30;  // previous state down, key being released

// A QImage over a surface's pixels, without copying them: 0x00RRGGBB rows of Width() pixels
// are Qt's RGB32 layout, whose top byte Qt ignores.
QImage ImageOver(const Surface& surface, double ratio) {
    QImage image(reinterpret_cast<const uchar*>(surface.Pixels()), surface.Width(), surface.Height(),
                 static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

}  // namespace

void SignalEvents::ItemClick(tListItemInfo&, int32_t ItemIndex) { emit widget_.itemClicked(ItemIndex); }

void SignalEvents::ItemDblClick(int16_t Button, tListItemInfo&, int32_t ItemIndex) {
    emit widget_.itemDoubleClicked(ItemIndex, Button);
}

void SignalEvents::SelectedIndexChanged(tListItemInfo&, int32_t ItemIndex) {
    emit widget_.selectionChanged(ItemIndex);
}

void SignalEvents::ColumnClick(tColHeaderInfo&, int32_t ColIndex) { emit widget_.columnClicked(ColIndex); }

void SignalEvents::AfterItemEdit(bool&, tListItemInfo&, int32_t ItemIndex, std::string& NewString) {
    emit widget_.itemEdited(ItemIndex, QString::fromStdString(NewString));
}

GlideListViewWidget::GlideListViewWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);  // the control covers every pixel
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);                  // hover effects need moves without a button

    const QSize size = sizeHint();
    form_ = std::make_unique<Form>(platform_, size.width(), size.height());
    control_ = std::make_unique<GlideListView>(platform_, container_, size.width(), size.height(),
                                               form_->hwnd());
    control_->InitProperties();
    control_->SetEventSink(&signals_);

    elapsed_.start();
    clockTimer_.setTimerType(Qt::PreciseTimer);
    connect(&clockTimer_, &QTimer::timeout, this, &GlideListViewWidget::ClockTick);
    clockTimer_.start(kClockStepMs);
}

GlideListViewWidget::~GlideListViewWidget() {
    clockTimer_.stop();
    control_->Terminate();
}

void GlideListViewWidget::setEventSink(GlideListViewEvents* sink) {
    control_->SetEventSink(sink ? sink : &signals_);
}

void GlideListViewWidget::advanceClock(int64_t ms) {
    platform_.clock.Advance(ms);
    UpdateIfPainted();
}

void GlideListViewWidget::ClockTick() {
    const int64_t now = elapsed_.elapsed();
    const int64_t step = now - clockMs_;
    clockMs_ = now;
    if (step > 0) advanceClock(step);
}

void GlideListViewWidget::UpdateIfPainted() {
    const uint64_t paints = control_->surface().PaintSerial();
    if (paints == paintsSeen_) return;
    paintsSeen_ = paints;
    update();
}

// The control works in device pixels: at a ratio of 2 a 400-point wide widget holds an 800-pixel
// control, drawn back at half scale, so text and lines stay sharp.
void GlideListViewWidget::SyncSize() {
    const double ratio = devicePixelRatioF();
    const auto w = static_cast<int32_t>(std::lround(width() * ratio));
    const auto h = static_cast<int32_t>(std::lround(height() * ratio));
    if (w == control_->Width() && h == control_->Height()) return;
    // A point is ratio pixels: the site's twips per pixel shrink with it (1440 twips per inch,
    // 96 points per inch).
    container_.TwipsPerPixelX = container_.TwipsPerPixelY =
        std::max(1, static_cast<int>(std::lround(15.0 / ratio)));
    form_->SetSize(w, h);
    control_->Resize(w, h);
}

void GlideListViewWidget::resizeEvent(QResizeEvent*) {
    SyncSize();
    update();
}

void GlideListViewWidget::PaintWindow(QPainter& painter, HWND hwnd, const QRect& clip, double ratio) const {
    const WindowSystem& windows = platform_.windows;
    if (!windows.IsVisible(hwnd)) return;
    const RECT form = windows.WindowRect(form_->hwnd());
    const RECT rect = OffsetRect(windows.WindowRect(hwnd), -form.Left, -form.Top);
    const QRect area = clip & QRect(rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
    if (area.isEmpty()) return;
    if (const auto* surface = reinterpret_cast<const Surface*>(windows.GetProp(hwnd, kSurfaceProperty))) {
        // Painter coordinates are points: device pixels divided by the ratio.
        painter.setClipRect(QRectF(area.x() / ratio, area.y() / ratio, area.width() / ratio,
                                   area.height() / ratio));
        painter.drawImage(QPointF(rect.Left / ratio, rect.Top / ratio), ImageOver(*surface, ratio));
    }
    for (HWND child : windows.Children(hwnd)) PaintWindow(painter, child, area, ratio);
}

// The form's picture as Form::Compose builds it, every window clipped to its ancestors, but
// drawn by QPainter from the windows' own pixels instead of through a composed copy.
void GlideListViewWidget::paintEvent(QPaintEvent*) {
    SyncSize();  // the ratio changes when the window moves to another screen
    const double ratio = devicePixelRatioF();
    QPainter painter(this);
    // The form's background shows only where the control does not cover the widget (during a
    // resize); filling the whole widget first would cost as much as drawing the frame.
    const QRegion uncovered = QRegion(rect()) - QRect(0, 0, static_cast<int>(control_->Width() / ratio),
                                                      static_cast<int>(control_->Height() / ratio));
    for (const QRect& part : uncovered) painter.fillRect(part, Qt::white);
    const WindowPlacement placement = platform_.windows.Placement(form_->hwnd());
    PaintWindow(painter, form_->hwnd(), QRect(0, 0, placement.width, placement.height), ratio);
    paintsSeen_ = control_->surface().PaintSerial();
}

void GlideListViewWidget::Pointer(Form::PointerAction action, const QMouseEvent& event) {
    ClockTick();  // the form times double clicks on the platform's clock
    const double ratio = devicePixelRatioF();
    const QPointF at = event.position() * ratio;
    const int32_t button = action == Form::PointerAction::Move ? 1 : ButtonOf(event.button());
    if (button == 0) return;
    form_->Pointer(action, static_cast<int32_t>(std::floor(at.x())), static_cast<int32_t>(std::floor(at.y())),
                   button, ShiftOf(event.modifiers()));
    update();
}

void GlideListViewWidget::mousePressEvent(QMouseEvent* event) { Pointer(Form::PointerAction::Down, *event); }
void GlideListViewWidget::mouseReleaseEvent(QMouseEvent* event) { Pointer(Form::PointerAction::Up, *event); }
// The form tells a double click from its own timing and distance, so Qt's second press is
// passed on as a press.
void GlideListViewWidget::mouseDoubleClickEvent(QMouseEvent* event) { Pointer(Form::PointerAction::Down, *event); }
void GlideListViewWidget::mouseMoveEvent(QMouseEvent* event) { Pointer(Form::PointerAction::Move, *event); }

// As the runtime delivers the wheel: to the control's window, the delta in the high word of
// wParam and the cursor's screen position in lParam.
void GlideListViewWidget::wheelEvent(QWheelEvent* event) {
    const int32_t delta = WheelDelta(wheelRemainder_, event->angleDelta().y());
    event->accept();
    if (delta == 0) return;
    const auto high = static_cast<uint32_t>(static_cast<uint16_t>(delta)) << 16;
    const SystemInfo& system = platform_.system;
    platform_.windows.SendMessage(control_->hwnd(), wm::kMouseWheel, static_cast<intptr_t>(high),
                                  PackPoint(system.cursorX, system.cursorY));
    update();
}

// A key message to the focused window (the control when nothing in it has the focus). Shift,
// Ctrl and Alt are held in the system's key state between their down and up, and messages sent
// while Alt is held carry the context bit, as the system sets them.
void GlideListViewWidget::Key(uint32_t message, int32_t code) {
    SystemInfo& system = platform_.system;
    if (message != wm::kChar && (code == vk::kShift || code == vk::kControl || code == vk::kMenu))
        system.keysDown[code] = message == wm::kKeyDown;
    intptr_t lParam = 1;  // repeat count
    if (system.KeyDown(vk::kMenu)) lParam |= kAltContextBit;
    if (message == wm::kKeyUp) lParam |= kKeyUpBits;
    const HWND focus = platform_.windows.GetFocus();
    platform_.windows.SendMessage(focus ? focus : control_->hwnd(), message, code, lParam);
}

void GlideListViewWidget::keyPressEvent(QKeyEvent* event) {
    ClockTick();
    if (const int32_t code = VirtualKeyOf(event->key())) Key(wm::kKeyDown, code);
    // Typed text arrives as key presses, one per UTF-16 unit, control characters (Enter,
    // Backspace, Escape, Tab) included, as the system sends them after their key downs.
    for (const QChar c : event->text()) Key(wm::kChar, c.unicode());
    update();
}

void GlideListViewWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return;  // the system repeats key downs only
    if (const int32_t code = VirtualKeyOf(event->key())) Key(wm::kKeyUp, code);
    update();
}

void GlideListViewWidget::focusInEvent(QFocusEvent*) {
    platform_.windows.SetFocus(control_->hwnd());
    control_->GotFocus();
    update();
}

void GlideListViewWidget::focusOutEvent(QFocusEvent*) {
    platform_.windows.SetFocus(0);
    control_->LostFocus();
    update();
}

// The pointer left the widget: a move far outside ends hover effects.
bool GlideListViewWidget::event(QEvent* event) {
    if (event->type() == QEvent::Leave && ButtonsOf(QGuiApplication::mouseButtons()) == 0) {
        form_->Pointer(Form::PointerAction::Move, -1, -1);
        update();
    }
    return QWidget::event(event);
}

}  // namespace glv::qt
