// Row tooltips: the three timers on the platform clock, the frmToolTip window over the form and
// BeforeToolTip. The rules (when to arm, show and hide) are input/ToolTipState.h's; this file
// only gives them timers, a window and the host's event.

#include <array>
#include <memory>

#include "control/GlideListView.h"
#include "core/Events.h"
#include "platform/Form.h"
#include "platform/TooltipWindow.h"

namespace glv {

class GlideListView::ToolTipLink final : public ToolTipHost {
public:
    explicit ToolTipLink(GlideListView& list) : list_(list), rules_(*this) {
        Clock& clock = list_.platform_.clock;
        timers_[Index(TipTimer::Pre)] = clock.CreateTimer([this] { rules_.PreTick(); });
        timers_[Index(TipTimer::Display)] = clock.CreateTimer([this] { rules_.DisplayTick(list_.pointer_.hoverRow); });
        timers_[Index(TipTimer::Post)] = clock.CreateTimer([this] { rules_.PostTick(); });
        clock.SetInterval(timers_[Index(TipTimer::Display)], kTipDisplayMs);
        ApplyIntervals();
    }
    ~ToolTipLink() override {
        window_.reset();
        for (TimerId id : timers_) list_.platform_.clock.DestroyTimer(id);
    }
    ToolTipLink(const ToolTipLink&) = delete;
    ToolTipLink& operator=(const ToolTipLink&) = delete;

    ToolTips& Rules() { return rules_; }
    const TooltipWindow* Window() const { return window_.get(); }

    // The intervals follow ToolTipPreTime and ToolTipPostTime; setting one restarts its count,
    // as the runtime's timer does.
    void ApplyIntervals() {
        Clock& clock = list_.platform_.clock;
        clock.SetInterval(timers_[Index(TipTimer::Pre)], list_.applied_.toolTipPreInterval);
        clock.SetInterval(timers_[Index(TipTimer::Post)], list_.applied_.toolTipPostInterval);
    }

    bool TimerRunning(TipTimer timer) const override { return list_.platform_.clock.Enabled(Id(timer)); }
    void StartTimer(TipTimer timer) override { list_.platform_.clock.Start(Id(timer)); }
    void StopTimer(TipTimer timer) override { list_.platform_.clock.Stop(Id(timer)); }

    void BeforeToolTip(int32_t row, std::string& text) override {
        list_.FlushPaint();
        if (!list_.events_) return;
        int16_t itemType = 0;  // always a list item
        int32_t itemIndex = row;
        list_.events_->BeforeToolTip(itemType, itemIndex, text);
    }

    // A new window for each showing, placed below the pointer, as frmToolTip is loaded for each.
    bool ShowWindow(const std::string& text) override {
        Form* form = list_.HostForm();
        if (!form || window_) return false;
        window_ = std::make_unique<TooltipWindow>(list_.platform_, *form);
        window_->SetStyle(Style());
        const POINT origin = form->ClientToScreen({0, 0});
        const SystemInfo& system = list_.platform_.system;
        return window_->Show(text, {system.cursorX - origin.x, system.cursorY - origin.y});
    }

    void HideWindow() override { window_.reset(); }

private:
    static std::size_t Index(TipTimer timer) { return static_cast<std::size_t>(timer); }
    TimerId Id(TipTimer timer) const { return timers_[Index(timer)]; }

    TooltipStyle Style() const {
        const PropertyValues& props = list_.props_;
        TooltipStyle style;
        const StdFont& font = props.ToolTipFont ? *props.ToolTipFont : list_.container_.AmbientFont;
        style.font = font.ToFontSpec();
        style.back = props.ToolTipBackColor;
        style.fore = props.ToolTipForeColor;
        style.border = props.ToolTipBorderColor;
        return style;
    }

    GlideListView& list_;
    ToolTips rules_;
    std::array<TimerId, 3> timers_{};
    std::unique_ptr<TooltipWindow> window_;
};

void GlideListView::ToolTipLinkDeleter::operator()(ToolTipLink* link) const { delete link; }

void GlideListView::InitToolTips() { toolTips_.reset(new ToolTipLink(*this)); }

Form* GlideListView::HostForm() const { return Form::Of(platform_.windows, platform_.windows.GetParent(hwnd_)); }

const ToolTipState& GlideListView::ToolTipStatus() const { return toolTips_->Rules().State(); }

const TooltipWindow* GlideListView::ToolTipWindow() const { return toolTips_ ? toolTips_->Window() : nullptr; }

void GlideListView::ToolTipHoverRow(int32_t row) {
    if (!props_.ItemToolTips || !items_.Contains(row) || !toolTips_) return;
    const tListItemInfo& item = items_.Item(row);
    toolTips_->Rules().HoverRowChanged(row, item.cLIToolTipText.str(),
                                       GeneratedToolTipText(item, columns_.Count(), props_.AutoGenerateToolTips),
                                       EditBoxVisible());
}

void GlideListView::CancelToolTips(bool onlyIfActive) {
    if (!toolTips_) return;
    if (onlyIfActive)
        toolTips_->Rules().CancelIfActive();
    else
        toolTips_->Rules().Cancel();
}

void GlideListView::ApplyToolTipIntervals() {
    if (toolTips_) toolTips_->ApplyIntervals();
}

}  // namespace glv
