// A minimal host: a form with one GlideListView on it, three columns of items, a click on the
// second row, and the form's picture written as a PNG. Every event the control raises is
// printed, one line each.
//
//     minimal [OUT.png]
#include <iostream>
#include <string>
#include <vector>

#include "control/GlideListView.h"
#include "core/EventRecorder.h"
#include "platform/Container.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "minimal.png";

    // The host owns the platform (windows, clock, system colours, text) and the form the
    // control sits on; the container is the control's site (ambient font, user mode).
    glv::Platform platform;
    glv::Container container;
    glv::Form form(platform, 360, 140);
    glv::GlideListView list(platform, container, 360, 140, form.hwnd());
    list.InitProperties();

    glv::EventRecorder events(&std::cout);
    list.SetEventSink(&events);

    list.AddColumn("Name", -1, 140);
    list.AddColumn("Size", -1, 80);
    list.AddColumn("Kind", -1, 120);
    const std::vector<std::vector<std::string>> rows = {
        {"README.md", "4 KB", "Markdown"},
        {"CMakeLists.txt", "2 KB", "CMake script"},
        {"main.cpp", "1 KB", "C++ source"},
    };
    list.BeginUpdate();
    for (const auto& row : rows) {
        // One array makes a new item: a text and an icon (-1, none) for each column.
        std::vector<glv::Variant> fields;
        for (const std::string& text : row) fields.insert(fields.end(), {glv::Variant(text), glv::Variant(-1)});
        list.AddItemQuick(glv::Variant::Array(std::move(fields), 0));
    }
    list.EndUpdate();

    // A left click on the second row, as the form delivers raw pointer input.
    const int32_t y = list.ItemRecord(2).cLIItemY + 4;
    form.Pointer(glv::Form::PointerAction::Down, 30, y);
    form.Pointer(glv::Form::PointerAction::Up, 30, y);
    platform.clock.Advance(50);  // let the control's timers run

    glv::SavePng(form.Compose(), out);
    std::cout << "wrote " << out << " (" << list.ItemCount() << " items)\n";
    return 0;
}
