#pragma once
// A control on a form with an event recorder, driven by real input: pointer steps go through the
// form (capture, click after release, double click, focus), keys to the focused window.
#include <memory>
#include <string>
#include <vector>

#include "control/GlideListView.h"
#include "core/EventRecorder.h"
#include "platform/Form.h"

namespace glv::test {

struct InputFixture {
    Platform platform;
    Container container;
    EventRecorder recorder;
    std::unique_ptr<Form> form;
    std::unique_ptr<GlideListView> list;

    explicit InputFixture(int32_t width = 400, int32_t height = 300) {
        form = std::make_unique<Form>(platform, width, height);
        list = std::make_unique<GlideListView>(platform, container, width, height, form->hwnd());
        list->InitProperties();
        list->SetEventSink(&recorder);
    }
    GlideListView& operator*() { return *list; }
    GlideListView* operator->() { return list.get(); }

    // Three 100-pixel columns and count items "item1".."itemN" with sub-items "a1", "b1".
    void Fill(int32_t count, int32_t columns = 3) {
        for (int32_t c = 1; c <= columns; ++c) list->AddColumn("col" + std::to_string(c), -1, 100);
        for (int32_t i = 1; i <= count; ++i) list->AddItem("item" + std::to_string(i), -1, 0, Variant());
        recorder.TakeLines();
    }

    // Where the last paint put a row: a point in its middle (a group header row may be a few
    // pixels high).
    int32_t RowY(int32_t row) const {
        const tListItemInfo& item = list->ItemRecord(row);
        return item.cLIItemY + item.cLIItemHeight / 2;
    }
    int32_t ColumnX(int32_t column) const { return list->ColumnRecord(column).cHCollX + 30; }

    void Move(int32_t x, int32_t y, int32_t shift = 0) { form->Pointer(Form::PointerAction::Move, x, y, 1, shift); }
    // Move there, press and release: the form adds the click.
    void Click(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        Move(x, y, shift);
        form->Pointer(Form::PointerAction::Down, x, y, button, shift);
        form->Pointer(Form::PointerAction::Up, x, y, button, shift);
    }
    // Move there and forget what the move raised; then press and release.
    void PressRelease(int32_t x, int32_t y, int32_t button = 1, int32_t shift = 0) {
        Move(x, y, shift);
        recorder.TakeLines();
        form->Pointer(Form::PointerAction::Down, x, y, button, shift);
        form->Pointer(Form::PointerAction::Up, x, y, button, shift);
    }
    void Key(int32_t code, int32_t shift = 0) {
        form->Key(Form::KeyAction::Down, code, shift);
        form->Key(Form::KeyAction::Up, code, shift);
    }
    std::vector<std::string> Events() { return recorder.TakeLines(); }

    // The selected rows as "2 3 5" ("-" for none).
    std::string Selected() const {
        std::string out;
        for (int32_t i = 1; i <= list->ItemCount(); ++i)
            if (list->ItemRecord(i).cLISelected) out += (out.empty() ? "" : " ") + std::to_string(i);
        return out.empty() ? "-" : out;
    }
};

}  // namespace glv::test
