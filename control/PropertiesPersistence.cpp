// The two ways a control gets its properties (new, or loaded from a property bag) and saving.
//
// Loading reads the values in a fixed order, each with its default, and between some of them
// hands what was read on (the effective scheme after AutoSelectTheme, the metric size after
// AutoSelectSize, ...), because later values were designed to be read with those in place.
// Loaded values pass the same conversions and value rules as set ones, but no notifications or
// repaints: painting is off until the load ends.

#include <string>

#include "control/GlideListView.h"
#include "core/Errors.h"
#include "core/PropertyValueIO.h"
#include "platform/AutomationError.h"
#include "platform/PropertyBag.h"
#include "platform/StdFont.h"

namespace glv {

namespace {

// The default a persisted value is read and written with: the ambient font for fonts, report
// view for View, otherwise the value a new control starts with.
Variant PersistDefault(const PropertyDescriptor& d, const StdFont& ambient) {
    if (d.type == PropType::Font) return Variant(ObjectPtr(ambient.Clone()));
    if (d.rule == Rule::ReportViewOnly) return int32_t{LVViewReport};
    static const PropertyValues kDefaults{};
    return ToVariant(LoadStored(kDefaults, d.member));
}

// A stored value that does not fit its property is the runtime's type mismatch, whatever the
// conversion tripped over (Null, Nothing, an object where a number belongs); the message names
// the value so a damaged bag can be mended.
[[noreturn]] void RaiseLoadError(const AutomationError& error, std::string_view name) {
    const bool mismatch = error.Number == runtime_error::kObjectVariableNotSet ||
                          error.Number == runtime_error::kInvalidUseOfNull ||
                          error.Number == runtime_error::kObjectRequired;
    const int32_t number = mismatch ? runtime_error::kTypeMismatch : error.Number;
    std::string description = mismatch ? RuntimeErrorDescription(number) : error.Description;
    if (!description.empty()) description += ' ';
    description += "(stored property \"" + std::string(name) + "\")";
    RaiseAutomationError(number, error.Source, description);
}

}  // namespace

void GlideListView::InitProperties() {
    props_ = PropertyValues{};
    props_.DefaultColumnHeaderFont = container_.AmbientFont.Clone();
    props_.DefaultItemFont = container_.AmbientFont.Clone();
    props_.DefaultSubItemFont = container_.AmbientFont.Clone();
    props_.ToolTipFont = container_.AmbientFont.Clone();
    defaultItemHeight_ = 16;
    ApplyEffectiveScheme();
    ApplyMetricSize(/*readSystemSize=*/true);
    UpdateToolTipTimers();
    ApplyEditBoxColors();
    applied_.surfaceBackColor = props_.BackColor;
    ApplyEnabled();
    FinishLoading();
}

void GlideListView::ReadProperties(const PropertyBag& bag) {
    const PropertyValues savedProps = props_;
    const AppliedProperties savedApplied = applied_;
    const ViewState savedView = view_;
    const int32_t savedItemHeight = defaultItemHeight_;
    BeginUpdate();
    try {
        ReadPropertiesInOrder(bag);
    } catch (...) {
        props_ = savedProps;
        applied_ = savedApplied;
        view_ = savedView;
        defaultItemHeight_ = savedItemHeight;
        throw;
    }
    FinishLoading();
}

void GlideListView::ReadPropertiesInOrder(const PropertyBag& bag) {
    for (const LoadStep& step : LoadOrder()) {
        const PropertyDescriptor& d = Describe(step.id);
        try {
            const Variant raw = bag.ReadProperty(d.persistedName, PersistDefault(d, container_.AmbientFont));
            // A font property stores a font; anything else there (null, a number) is a stored
            // value of the wrong type, not a value the property turns down.
            if (d.type == PropType::Font && !(raw.IsObject() && std::dynamic_pointer_cast<StdFont>(raw.AsObject())))
                RaiseRuntimeError(runtime_error::kTypeMismatch);
            StoredValue value = ConvertForProperty(d, raw, locale());
            ApplyValueRule(d, value, /*loading=*/true);
            StoreValue(props_, d.member, std::move(value));
        } catch (const AutomationError& error) {
            RaiseLoadError(error, d.persistedName);
        }
        RunLoadFollowUp(step.then);
    }
}

void GlideListView::RunLoadFollowUp(LoadFollowUp step) {
    switch (step) {
        case LoadFollowUp::None: break;
        case LoadFollowUp::EffectiveScheme: ApplyEffectiveScheme(); break;
        case LoadFollowUp::MetricSize: ApplyMetricSize(/*readSystemSize=*/true); break;
        case LoadFollowUp::DefaultItemHeight: defaultItemHeight_ = 16; break;
        case LoadFollowUp::ScrollBarsEnabled:
            ForwardScrollBarsEnabled(props_.Enabled);
            break;
        case LoadFollowUp::EditBoxColors: ApplyEditBoxColors(); break;
        case LoadFollowUp::ToolTipTimers: UpdateToolTipTimers(); break;
    }
}

void GlideListView::FinishLoading() {
    RecomputeLayoutValues();
    EndUpdate();
    view_.loaded = true;
    LayoutAsOnResize();
    if (container_.UserMode) {
        platform_.windows.SetProp(hwnd_, kObjectPtrProperty, reinterpret_cast<intptr_t>(this));
        AttachMessageHooks();  // reads the wheel settings, as the message hooks start
    }
}

void GlideListView::WriteProperties(PropertyBag& bag) const {
    for (PropId id : SaveOrder()) {
        const PropertyDescriptor& d = Describe(id);
        const Variant def = d.alwaysWritten ? Variant::Missing() : PersistDefault(d, container_.AmbientFont);
        bag.WriteProperty(d.persistedName, ToVariant(LoadStored(props_, d.member)), def);
    }
}

}  // namespace glv
