#include "input/ToolTipState.h"

#include "core/PropertyValues.h"

namespace glv {

namespace {

// The item's text (or tag) and then, after a ",", its sub-items' for the further columns.
template <typename ItemField, typename SubField>
std::string JoinRow(const tListItemInfo& item, int32_t columnCount, ItemField itemField, SubField subField) {
    std::string out(itemField(item));
    out += ',';
    const auto subItems = static_cast<int32_t>(item.cLISubListItemInfo.size());
    const int32_t last = std::min(columnCount - 1, subItems);
    for (int32_t k = 1; k <= last; ++k) {
        if (k > 1) out += ',';
        out += subField(item.cLISubListItemInfo[static_cast<std::size_t>(k - 1)]);
    }
    return out;
}

}  // namespace

std::string GeneratedToolTipText(const tListItemInfo& item, int32_t columnCount, int32_t mode) {
    switch (mode) {
        case LVGenListItemText: return item.cLIText;
        case LVGenListItemTag: return item.cLITag.str();
        case LVGenRowText:
            return JoinRow(item, columnCount, [](const tListItemInfo& i) -> std::string_view { return i.cLIText; },
                           [](const tSubListItemInfo& s) -> std::string_view { return s.cSIText; });
        case LVGenRowTag:
            return JoinRow(item, columnCount, [](const tListItemInfo& i) { return i.cLITag.view(); },
                           [](const tSubListItemInfo& s) { return s.cSITag.view(); });
        case LVGenLocal: return item.cLIToolTipText.str();
        default: return {};
    }
}

void ToolTips::HoverRowChanged(int32_t row, const std::string& localText, const std::string& generated,
                               bool editing) {
    Hide();
    state_.text = localText;
    if (row == state_.shownRow || editing) return;
    if (state_.armed) {
        state_.text = generated;
        Restart(TipTimer::Display);
        state_.pending = true;
    } else {
        // The first tooltip of a period shows the row's own text, read when the pre-delay ends.
        if (!host_.TimerRunning(TipTimer::Pre)) host_.StartTimer(TipTimer::Pre);
        host_.StopTimer(TipTimer::Post);
    }
}

void ToolTips::PreTick() {
    state_.armed = true;
    if (!state_.text.empty()) {
        Restart(TipTimer::Display);
        state_.pending = true;
    }
    host_.StopTimer(TipTimer::Pre);
    host_.StartTimer(TipTimer::Post);
}

void ToolTips::DisplayTick(int32_t hoverRow) {
    if (!state_.pending) return;
    host_.BeforeToolTip(hoverRow, state_.text);
    state_.pending = false;
    if (state_.text.empty()) {
        host_.StopTimer(TipTimer::Post);
        return;
    }
    state_.shown = host_.ShowWindow(state_.text);
    state_.shownRow = hoverRow;
    Restart(TipTimer::Post);
}

void ToolTips::PostTick() {
    host_.StopTimer(TipTimer::Pre);
    host_.StopTimer(TipTimer::Post);
    Hide();
    state_.armed = false;
    state_.shownRow = -1;
}

void ToolTips::Hide() {
    host_.HideWindow();
    // The pre-delay starts again from the latest row.
    if (host_.TimerRunning(TipTimer::Pre) && !state_.armed) Restart(TipTimer::Pre);
    state_.shown = false;
    state_.pending = false;
    host_.StopTimer(TipTimer::Display);
}

void ToolTips::CancelIfActive() {
    if (state_.armed || state_.shown || host_.TimerRunning(TipTimer::Pre) || host_.TimerRunning(TipTimer::Post))
        Cancel();
}

void ToolTips::Cancel() {
    state_.armed = false;
    state_.pending = false;
    state_.text.clear();
    host_.StopTimer(TipTimer::Pre);
    host_.StopTimer(TipTimer::Post);
    Hide();
    state_.shownRow = -1;
}

}  // namespace glv
