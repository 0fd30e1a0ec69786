#include "apps/scenario/ControlObject.h"

#include <string>

#include "core/Errors.h"
#include "core/GlideListView.h"
#include "platform/AutomationError.h"

namespace glv::scenario {

namespace {

// A stand-in for the control's dispatch object with the few members the runner's own scenarios
// use: GridLines, ListItems (Count, Add, Item, Remove, Clear; an item's Text) and Columns
// (Count, Add, Item; a column's Caption and Width). Like the real element objects it keeps the
// window handle and finds the control through the window on every call.
class StandIn : public Object {
public:
    enum class Kind { Control, ListItems, ListItem, Columns, Column };

    StandIn(const WindowSystem& windows, HWND hwnd, Kind kind, int32_t index = 0)
        : windows_(windows), hwnd_(hwnd), kind_(kind), index_(index) {}

    std::string TypeName() const override {
        static constexpr const char* kNames[] = {"GlideListView", "cListItems", "cListItem", "cColumns", "cColumn"};
        return kNames[static_cast<int>(kind_)];
    }

    Variant Invoke(std::string_view member, CallKind kind, std::span<const Variant> args) override {
        GlideListView* control = GlideListView::FromWindow(windows_, hwnd_);
        if (control == nullptr)
            RaiseError(kErrObjectUnloaded, kind_ == Kind::Control ? kSourceControl
                                           : kind_ == Kind::Columns ? kSourceColumns
                                                                    : kSourceListItems);
        const std::string name = Lower(member);
        switch (kind_) {
            case Kind::Control: return OnControl(*control, name, kind, args);
            case Kind::ListItems: return OnListItems(*control, name, args);
            case Kind::ListItem: return OnListItem(*control, name, kind, args);
            case Kind::Columns: return OnColumns(*control, name, args);
            case Kind::Column: return OnColumn(*control, name, kind, args);
        }
        return Object::Invoke(member, kind, args);
    }

private:
    static std::string Lower(std::string_view text) {
        std::string out(text);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return out;
    }
    static void Count(std::span<const Variant> args, std::size_t low, std::size_t high) {
        if (args.size() < low) RaiseRuntimeError(runtime_error::kArgumentNotOptional);
        if (args.size() > high) RaiseRuntimeError(runtime_error::kWrongArgumentCount);
    }
    static bool Given(std::span<const Variant> args, std::size_t i) {
        return i < args.size() && !args[i].IsMissing();
    }
    Variant Make(Kind kind, int32_t index = 0) const {
        return Variant(ObjectPtr(std::make_shared<StandIn>(windows_, hwnd_, kind, index)));
    }

    Variant OnControl(GlideListView& control, const std::string& name, CallKind kind,
                      std::span<const Variant> args) const {
        if (name == "gridlines") {
            Count(args, kind == CallKind::Let ? 1 : 0, kind == CallKind::Let ? 1 : 0);
            if (kind == CallKind::Let) control.props().GridLines = args[0].ToBoolean();
            return control.props().GridLines;
        }
        if (kind == CallKind::Let) RaiseRuntimeError(runtime_error::kNotSupported);
        Count(args, 0, 0);
        if (name == "listitems") return Make(Kind::ListItems);
        if (name == "columns") return Make(Kind::Columns);
        RaiseRuntimeError(runtime_error::kNotSupported);
    }

    Variant OnListItems(GlideListView& control, const std::string& name, std::span<const Variant> args) const {
        if (name == "count") {
            Count(args, 0, 0);
            return control.ItemCount();
        }
        if (name == "add") {
            Count(args, 0, 4);
            const std::string text = Given(args, 0) ? args[0].ToString() : std::string();
            const int16_t icon = Given(args, 1) ? args[1].ToInteger() : int16_t{-1};
            const int16_t indent = Given(args, 2) ? args[2].ToInteger() : int16_t{0};
            return Make(Kind::ListItem, control.AddItem(text, icon, indent, Given(args, 3) ? args[3] : Variant()));
        }
        if (name == "item") {
            Count(args, 1, 1);
            const int32_t index = args[0].IsNumeric(control.locale()) ? args[0].ToLong() : 0;
            if (index < 1 || index > control.ItemCount()) RaiseError(kErrSubscript, kSourceListItems);
            return Make(Kind::ListItem, index);
        }
        if (name == "remove") {
            Count(args, 1, 1);
            control.RemoveItem(args[0].ToLong());
            return {};
        }
        if (name == "clear") {
            Count(args, 0, 0);
            control.ClearItems();
            return {};
        }
        RaiseRuntimeError(runtime_error::kNotSupported);
    }

    Variant OnListItem(GlideListView& control, const std::string& name, CallKind kind,
                       std::span<const Variant> args) const {
        if (name != "text") RaiseRuntimeError(runtime_error::kNotSupported);
        Count(args, kind == CallKind::Let ? 1 : 0, kind == CallKind::Let ? 1 : 0);
        if (kind != CallKind::Let) return control.ItemRecord(index_).cLIText;
        if (index_ < 1 || index_ > control.ItemCount()) RaiseError(kErrSubscript, kSourceControl);
        control.items().Item(index_).cLIText = args[0].ToString();
        return {};
    }

    Variant OnColumns(GlideListView& control, const std::string& name, std::span<const Variant> args) const {
        if (name == "count") {
            Count(args, 0, 0);
            return control.ColumnCount();
        }
        if (name == "add") {
            Count(args, 0, 3);
            const std::string caption = Given(args, 0) ? args[0].ToString() : std::string();
            const int16_t icon = Given(args, 1) ? args[1].ToInteger() : int16_t{0};
            const int32_t width = Given(args, 2) ? args[2].ToLong() : 100;
            return Make(Kind::Column, control.AddColumn(caption, icon, width));
        }
        if (name == "item") {
            Count(args, 1, 1);
            const double index = args[0].ToDouble();
            if (index < 1 || index > control.ColumnCount()) RaiseError(kErrHeaderMissing, kSourceControl);
            return Make(Kind::Column, args[0].ToLong());
        }
        RaiseRuntimeError(runtime_error::kNotSupported);
    }

    Variant OnColumn(GlideListView& control, const std::string& name, CallKind kind,
                     std::span<const Variant> args) const {
        if (name != "caption" && name != "width") RaiseRuntimeError(runtime_error::kNotSupported);
        Count(args, kind == CallKind::Let ? 1 : 0, kind == CallKind::Let ? 1 : 0);
        if (kind != CallKind::Let) {
            const tColHeaderInfo& column = control.ColumnRecord(index_);
            return name == "width" ? Variant(column.cHWidth) : Variant(column.cHCaption);
        }
        if (index_ < 1 || index_ > control.ColumnCount()) RaiseError(kErrHeaderMissing, kSourceControl);
        tColHeaderInfo& column = control.columns().Column(index_);
        if (name == "width") column.cHWidth = args[0].ToLong();
        else column.cHCaption = args[0].ToString();
        return {};
    }

    const WindowSystem& windows_;
    HWND hwnd_;
    Kind kind_;
    int32_t index_;
};

}  // namespace

ObjectPtr ControlObject(GlideListView& control) {
    return std::make_shared<StandIn>(control.platform().windows, control.hwnd(), StandIn::Kind::Control);
}

void LoadProperties(GlideListView&, const Json&) {
    throw InvalidScenario("properties: loading a property bag is not available in this build yet");
}

}  // namespace glv::scenario
