#pragma once
// A single-line text box: the in-place editor of the list. It is a child window of its own,
// drawn into its own picture, and does everything through the messages sent to its window, so
// the form's routing (pointer, keys, focus) drives it as it drives any other window:
//  - WM_KEYDOWN: Left/Right by one character (by word with Ctrl), Home/End, Delete; with
//    Shift held (the key state) the selection is extended instead of collapsed;
//  - WM_CHAR (wParam a code point): Backspace (8) and printable characters, which replace the
//    selection; other control characters are ignored;
//  - a left press places the caret (with Shift it extends the selection), a drag selects, a
//    double click selects the word;
//  - WM_SETFOCUS/WM_KILLFOCUS start and stop the caret blinking and report the loss of focus.
// Positions (SelStart, SelLength) count characters, not bytes: the caret never lands inside a
// multi-byte character. The text scrolls sideways to keep the caret in view.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DrawnWindow.h"
#include "platform/Font.h"
#include "platform/Platform.h"
#include "platform/WindowTimer.h"

namespace glv {

// What the edit box tells its owner, in the order the runtime's text box raises it. Each key
// event comes before the box acts on the key, and setting the code to 0 drops the key.
class EditBoxEvents {
public:
    virtual ~EditBoxEvents() = default;
    virtual void EditKeyDown(int32_t& /*keyCode*/, int32_t /*shift*/) {}
    virtual void EditKeyPress(int32_t& /*keyAscii*/) {}
    virtual void EditKeyUp(int32_t& /*keyCode*/, int32_t /*shift*/) {}
    virtual void EditChange() {}
    virtual void EditLostFocus() {}
};

class EditBox {
public:
    static constexpr int32_t kBlinkMs = 530;   // the system's caret blink time
    static constexpr int32_t kMargin = 1;      // pixels between the box's sides and the text
    static constexpr intptr_t kBlinkTimerId = 1;

    EditBox(Platform& platform, HWND parent);
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    HWND hwnd() const { return window_.hwnd(); }
    void SetEvents(EditBoxEvents* events) { events_ = events; }
    const Surface& Picture() const { return window_.Picture(); }

    void Place(WindowPlacement placement);
    void SetVisible(bool visible);
    void SetFont(const FontSpec& font);
    const FontSpec& Font() const { return font_; }
    // Back and text colours; system colours are resolved when drawing.
    void SetColors(OLE_COLOR back, OLE_COLOR fore);

    const std::string& Text() const { return text_; }
    // Malformed UTF-8 is stored with each bad sequence replaced by U+FFFD. The caret goes to
    // the start, with nothing selected.
    void SetText(std::string_view utf8);
    int32_t Length() const { return static_cast<int32_t>(bytes_.size()) - 1; }

    // The selection as the runtime's text box shows it. SetSelStart moves the caret there and
    // selects nothing; SetSelLength selects from SelStart on. Values past the end are cut to the
    // end; negative values raise error 380 and change nothing.
    int32_t SelStart() const { return std::min(anchor_, caret_); }
    int32_t SelLength() const { return std::abs(caret_ - anchor_); }
    void SetSelStart(int32_t start);
    void SetSelLength(int32_t length);
    std::string SelText() const;
    void SelectAll();
    int32_t Caret() const { return caret_; }

    // Gives the box the keyboard focus.
    void Focus();
    bool Focused() const { return focused_; }
    // Whether the caret is drawn now: focused and in the visible half of a blink.
    bool CaretShown() const { return focused_ && caretOn_; }
    int32_t ScrollX() const { return scrollX_; }

    // Geometry in client pixels: where the caret stands before character i, and the character
    // boundary nearest to x.
    int32_t XFromChar(int32_t i) const;
    int32_t CharFromX(int32_t x) const;

    // Draws the box into its picture. Every change does this itself.
    void Paint();

private:
    intptr_t Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam);
    void OnKeyDown(int32_t key);
    void OnChar(int32_t ch);
    void OnFocus(bool gained);
    // Words are runs of characters other than spaces and tabs; character i is in one or not.
    bool InWord(int32_t i) const;
    int32_t WordStartBefore(int32_t i) const;
    int32_t WordStartAfter(int32_t i) const;
    void SelectWordAt(int32_t i);
    // Replaces the selection by utf8 (already well formed) and puts the caret after it.
    void ReplaceSelection(std::string_view utf8);
    void Erase(int32_t from, int32_t to);
    void MoveCaret(int32_t to, bool extend);
    int32_t ShiftState() const;
    void Measure();
    void ScrollToCaret();
    void RestartBlink();
    int32_t TextTop() const;

    Platform& platform_;
    DrawnWindow window_;
    WindowTimer blink_;
    EditBoxEvents* events_ = nullptr;
    FontSpec font_;
    OLE_COLOR back_ = 0xFFFFFF;
    OLE_COLOR fore_ = 0;
    std::string text_;
    // Per character boundary (Length() + 1 of them): its byte offset and its x from the text's
    // start, measured with the glyph advances that draw the text.
    std::vector<size_t> bytes_{0};
    std::vector<int32_t> xs_{0};
    int32_t lineHeight_ = 0;
    int32_t anchor_ = 0;  // the fixed end of the selection
    int32_t caret_ = 0;   // the moving end, where the caret stands
    int32_t scrollX_ = 0;
    bool focused_ = false;
    bool caretOn_ = false;
    bool dragging_ = false;
};

}  // namespace glv
