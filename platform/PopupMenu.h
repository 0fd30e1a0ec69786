#pragma once
// A pop-up menu: a top-most window of the form that lists entries in the system's menu colours
// and reports the one chosen. While it is open it holds the pointer (a press outside closes it)
// and the keyboard focus:
//  - the highlight follows the pointer over available entries, and Up/Down move it among them
//    (wrapping, skipping separators and unavailable entries);
//  - a click on an available entry or Enter on the highlighted one chooses it; Escape, a press
//    outside the menu or the loss of the focus closes it without a choice;
//  - unavailable entries are drawn greyed and are never highlighted or chosen.
// The release of the button that opened the menu chooses nothing unless the pointer has moved,
// so a right click that opens the menu over its first entry does not choose that entry.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/DrawnWindow.h"
#include "platform/Font.h"
#include "platform/Form.h"

namespace glv {

struct MenuEntry {
    std::string caption;  // "-" is a separator; "&" marks the underlined letter
    bool enabled = true;
    bool IsSeparator() const { return caption == "-"; }
};

// Where the entries lie in the menu's client pixels, from the entries and the font alone.
struct MenuLayout {
    static constexpr int32_t kBorder = 1;         // the frame
    static constexpr int32_t kPadding = 2;        // menu colour inside the frame
    static constexpr int32_t kTextIndent = 17;    // room for a check mark before the caption
    static constexpr int32_t kTrailing = 17;      // room for a sub-menu arrow after it
    static constexpr int32_t kSeparatorHeight = 8;
    static constexpr int32_t kEntryPadding = 6;   // added to the font's line height

    SIZE size;
    std::vector<RECT> rows;  // one per entry
};
MenuLayout LayoutMenu(const std::vector<MenuEntry>& entries, TextEngine& text, const FontSpec& font);
// The menu's top-left corner for a menu opened at `at`: to the right of and below the point
// when it fits, else flipped to the left of or above it, then kept inside `area`.
POINT PlaceMenu(POINT at, SIZE menu, const RECT& area);
// The entry under a point of the menu's client area, -1 when none.
int32_t MenuEntryAt(const MenuLayout& layout, POINT p);

class PopupMenuEvents {
public:
    virtual ~PopupMenuEvents() = default;
    // The menu has closed; chosen is the entry's index, -1 when closed without a choice.
    virtual void MenuClosed(int32_t chosen) = 0;
};

class PopupMenu {
public:
    PopupMenu(Platform& platform, Form& form);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    HWND hwnd() const { return window_.hwnd(); }
    void SetEvents(PopupMenuEvents* events) { events_ = events; }
    void SetFont(const FontSpec& font) { font_ = font; }

    // The entries shown the next time the menu opens; an open menu is redrawn with them.
    void SetEntries(std::vector<MenuEntry> entries);
    const std::vector<MenuEntry>& Entries() const { return entries_; }
    // Availability of one entry; an index out of range changes nothing and answers false.
    bool SetEnabled(int32_t index, bool enabled);

    // Opens the menu at a point of the form's client area. A menu without entries stays shut.
    void Open(POINT at);
    // Closes it without a choice.
    void Close() { Finish(-1); }
    // Chooses an entry as a click on it does, for hosts that drive the menu by name (scripts,
    // accessibility). A closed menu, a separator or an unavailable entry chooses nothing, the
    // menu stays as it was, and the answer is false.
    bool Choose(int32_t index);
    bool IsOpen() const { return open_; }
    int32_t Highlighted() const { return highlight_; }
    const MenuLayout& Layout() const { return layout_; }
    const Surface& Picture() const { return window_.Picture(); }

private:
    intptr_t Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam);
    bool Choosable(int32_t index) const;
    void Step(int32_t direction);
    void SetHighlight(int32_t index);
    void Finish(int32_t chosen);
    void Paint();

    Platform& platform_;
    Form& form_;
    DrawnWindow window_;
    PopupMenuEvents* events_ = nullptr;
    FontSpec font_;
    std::vector<MenuEntry> entries_;
    MenuLayout layout_;
    bool open_ = false;
    int32_t highlight_ = -1;
    bool moved_ = false;         // the pointer moved since the menu opened
    bool pressedInside_ = false;  // a button went down over the menu since it opened
    HWND previousFocus_ = 0;
};

}  // namespace glv
