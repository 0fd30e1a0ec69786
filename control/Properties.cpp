// Getting and setting the control's properties by name, driven by the property table.
//
// Setting a property always goes the same way: convert the value to the property's type (the
// runtime's conversion errors), apply its value rule (clamp, range error, "always 3"), skip it
// when it is ignored in the current state, store it, run its own rule and the table's effects,
// and report it to the container under its notification name. Nothing is stored before every
// check has passed, so a rejected value leaves the control as it was.

#include <cmath>
#include <limits>

#include "core/Errors.h"
#include "control/GlideListView.h"
#include "core/PropertyValueIO.h"
#include "platform/AutomationError.h"

namespace glv {

bool GlideListView::HasProperty(std::string_view name) const { return FindProperty(name) != nullptr; }

Variant GlideListView::GetProperty(std::string_view name, std::span<const Variant> indexArgs) const {
    const PropertyDescriptor* d = FindProperty(name);
    if (!d) RaiseRuntimeError(runtime_error::kNotSupported);
    if (!indexArgs.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    switch (d->rule) {
        case Rule::TopIndex: return view_.topIndex;
        case Rule::Ignore: return Variant(ObjectPtr{});
        default: return ToVariant(LoadStored(props_, d->member));
    }
}

StoredValue GlideListView::StoredProperty(const PropertyDescriptor& d) const {
    return LoadStored(props_, d.member);
}

void GlideListView::SetProperty(std::string_view name, const Variant& value,
                                std::span<const Variant> indexArgs) {
    const PropertyDescriptor* d = FindProperty(name);
    if (!d) RaiseRuntimeError(runtime_error::kNotSupported);
    if (!indexArgs.empty()) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    SetPropertyValue(*d, value);
}

void GlideListView::SetPropertyValue(const PropertyDescriptor& d, const Variant& value) {
    StoredValue stored = ConvertForProperty(d, value, locale());
    switch (d.rule) {
        case Rule::Ignore: return;
        case Rule::MetricsSize:
            if (props_.AutoSelectSize) return;
            break;
        case Rule::CheckBoxes:
            if (props_.ExpandingRow) return;
            break;
        default: break;
    }
    ApplyValueRule(d, stored, /*loading=*/false);
    if (d.rule == Rule::TopIndex)
        view_.topIndex = std::get<int32_t>(stored);
    else
        StoreValue(props_, d.member, std::move(stored));

    RunSetRule(d);
    if (d.effects & effect::kRebuildBackground) RebuildBackground();
    if (d.effects & effect::kRelayout) LayoutAsOnResize();
    const bool repaint = (d.effects & effect::kRepaint) ||
                         ((d.effects & effect::kRepaintWhenLoaded) && view_.loaded);
    if (repaint && view_.paintingEnabled) Repaint();
    if (!d.notifyName.empty()) container_.PropertyChanged(std::string(d.notifyName));
}

void GlideListView::ApplyValueRule(const PropertyDescriptor& d, StoredValue& value,
                                   bool loading) const {
    switch (d.rule) {
        case Rule::ClampNonNegative: {
            int16_t& v = std::get<int16_t>(value);
            if (v < 0) v = 0;
            break;
        }
        case Rule::ClampScrollBars: {
            int32_t& v = std::get<int32_t>(value);
            v = v < None ? None : (v > Both ? Both : v);
            break;
        }
        case Rule::ToolTipTime: {
            const int32_t v = std::get<int32_t>(value);
            if (v < 0 || v > 30000) RaiseError(kErrToolTipTime, kSourceControl);
            break;
        }
        case Rule::SortedColumn: {
            // A loading control has no columns yet, so the stored column is taken as it is.
            const int32_t v = std::get<int32_t>(value);
            if (!loading && (v < 1 || v > columns_.Count())) RaiseError(kErrHeaderMissing, kSourceControl);
            break;
        }
        case Rule::TopIndex: {
            const int32_t v = std::get<int32_t>(value);
            if (v < 1 || v > items_.Count()) RaiseError(kErrSubscript, kSourceControl);
            break;
        }
        case Rule::Theme: {
            const int32_t v = std::get<int32_t>(value);
            if (v < XPBlue || v > XPOlive) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
            break;
        }
        case Rule::ReportViewOnly:
            // Report view is the only view; nothing depends on the stored value.
            value = int32_t{LVViewReport};
            break;
        default: break;
    }
}

void GlideListView::RunSetRule(const PropertyDescriptor& d) {
    switch (d.rule) {
        case Rule::AutoSelectTheme:
            ApplyEffectiveScheme();
            LayoutAsOnResize();
            EndUpdate();
            break;
        case Rule::AutoSelectSize:
            ApplyMetricSize(/*readSystemSize=*/props_.AutoSelectSize);
            LayoutAsOnResize();
            EndUpdate();
            break;
        case Rule::MetricsSize:
            ApplyMetricSize(/*readSystemSize=*/false);
            LayoutAsOnResize();
            EndUpdate();
            break;
        case Rule::Theme:
            if (!props_.AutoSelectTheme) ApplyEffectiveScheme();
            if (view_.paintingEnabled) {
                // The normal header band keeps its colours until the next rebuild; the Office
                // 2003 band is drawn from the scheme, so it is rebuilt at once.
                if (props_.HeaderStyle == LVOffice2003) RebuildBackground();
                Repaint();
            }
            break;
        case Rule::BackColor: applied_.surfaceBackColor = props_.BackColor; break;
        case Rule::BackStyle:
            // Ledger clears the drawing surface's own picture, and this surface has none: every
            // pass starts from the background cache, which drops the picture at its next
            // rebuild. Normal with a picture rebuilds at once.
            if (props_.BackStyle == Normal && props_.BackGroundPicture) RebuildBackground();
            break;
        case Rule::ExpandingRow:
            if (expandingRow_.objectAttached) ShowExpandingRow(props_.ExpandingRow);
            if (props_.ExpandingRow && props_.CheckBoxes) {
                // Check boxes and the expanding row share the first column: the row wins,
                // silently (no notification for CheckBoxes).
                props_.CheckBoxes = false;
                ItemsCheckAll(false);
            }
            break;
        case Rule::Enabled: ApplyEnabled(); break;
        case Rule::EditBoxColor: ApplyEditBoxColors(); break;
        case Rule::ToolTipTime: UpdateToolTipTimers(); break;
        case Rule::TopIndex: SetVScrollBarValue(ScrollValueOfItem(view_.topIndex)); break;
        default: break;
    }
}

// --- typed accessors ---------------------------------------------------------------------------

#define GLV_DEFINE_PROPERTY_SETTER(Name, Type, ...)                                   \
    void GlideListView::Set##Name(PropertyCppType<PropType::Type> value) {           \
        SetPropertyValue(Describe(PropId::Name), ToVariant(StoredValue(std::move(value)))); \
    }
GLV_PUBLIC_PROPERTIES(GLV_DEFINE_PROPERTY_SETTER)
#undef GLV_DEFINE_PROPERTY_SETTER

void GlideListView::SetTopIndex(int32_t index) { SetPropertyValue(Describe(PropId::TopIndex), index); }

}  // namespace glv
