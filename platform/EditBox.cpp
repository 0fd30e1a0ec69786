#include "platform/EditBox.h"

#include "platform/AutomationError.h"
#include "platform/Form.h"
#include "platform/Utf8.h"
#include "platform/VirtualKeys.h"

namespace glv {
namespace {

// Text as it will be stored: every malformed sequence becomes one U+FFFD, so that character
// positions and byte offsets always agree.
std::string WellFormed(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) AppendUtf8(out, DecodeUtf8(utf8, pos));
    return out;
}

bool IsWordChar(char32_t cp) { return cp != U' ' && cp != U'\t'; }

}  // namespace

EditBox::EditBox(Platform& platform, HWND parent)
    : platform_(platform),
      window_(platform.windows, parent, "EditBox",
              [this](uint32_t msg, intptr_t wParam, intptr_t lParam) { return Procedure(msg, wParam, lParam); }),
      blink_(platform.windows, platform.clock, window_.hwnd(), kBlinkTimerId) {
    Measure();
}

void EditBox::Place(WindowPlacement placement) {
    window_.Place(placement);
    ScrollToCaret();
    Paint();
}

void EditBox::SetVisible(bool visible) { platform_.windows.SetVisible(hwnd(), visible); }

void EditBox::SetFont(const FontSpec& font) {
    font_ = font;
    Measure();
    ScrollToCaret();
    Paint();
}

void EditBox::SetColors(OLE_COLOR back, OLE_COLOR fore) {
    back_ = back;
    fore_ = fore;
    Paint();
}

void EditBox::SetText(std::string_view utf8) {
    text_ = WellFormed(utf8);
    anchor_ = caret_ = 0;
    scrollX_ = 0;
    Measure();
    Paint();
    if (events_) events_->EditChange();
}

void EditBox::SetSelStart(int32_t start) {
    if (start < 0) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
    anchor_ = caret_ = std::min(start, Length());
    ScrollToCaret();
    Paint();
}

void EditBox::SetSelLength(int32_t length) {
    if (length < 0) RaiseRuntimeError(runtime_error::kInvalidPropertyValue);
    anchor_ = SelStart();
    caret_ = anchor_ + std::min(length, Length() - anchor_);
    ScrollToCaret();
    Paint();
}

std::string EditBox::SelText() const {
    const size_t from = bytes_[static_cast<size_t>(SelStart())];
    const size_t to = bytes_[static_cast<size_t>(SelStart() + SelLength())];
    return text_.substr(from, to - from);
}

void EditBox::SelectAll() {
    anchor_ = 0;
    caret_ = Length();
    ScrollToCaret();
    Paint();
}

void EditBox::Focus() {
    platform_.windows.SetFocus(hwnd());
    // The form's focus routing may already have told the box; telling it twice changes nothing.
    if (platform_.windows.GetFocus() == hwnd()) OnFocus(true);
}

int32_t EditBox::XFromChar(int32_t i) const {
    return kMargin - scrollX_ + xs_[static_cast<size_t>(std::clamp(i, 0, Length()))];
}

int32_t EditBox::CharFromX(int32_t x) const {
    const int32_t tx = x - kMargin + scrollX_;
    const auto it = std::lower_bound(xs_.begin(), xs_.end(), tx);
    if (it == xs_.end()) return Length();
    const auto i = static_cast<int32_t>(it - xs_.begin());
    // Nearer boundary wins; a point exactly between two goes left.
    if (i > 0 && tx - xs_[static_cast<size_t>(i - 1)] <= *it - tx) return i - 1;
    return i;
}

intptr_t EditBox::Procedure(uint32_t msg, intptr_t wParam, intptr_t lParam) {
    switch (msg) {
        case wm::kKeyDown: {
            int32_t key = static_cast<int32_t>(wParam);
            if (events_) events_->EditKeyDown(key, ShiftState());
            if (key != 0) OnKeyDown(key);
            return 0;
        }
        case wm::kChar: {
            int32_t ch = static_cast<int32_t>(wParam);
            if (events_) events_->EditKeyPress(ch);
            if (ch != 0) OnChar(ch);
            return 0;
        }
        case wm::kKeyUp: {
            int32_t key = static_cast<int32_t>(wParam);
            if (events_) events_->EditKeyUp(key, ShiftState());
            return 0;
        }
        case wm::kLButtonDown:
            MoveCaret(CharFromX(UnpackPoint(lParam).x), (wParam & mk::kShift) != 0);
            dragging_ = true;
            return 0;
        case wm::kMouseMove:
            if (dragging_ && (wParam & mk::kLButton)) MoveCaret(CharFromX(UnpackPoint(lParam).x), true);
            return 0;
        case wm::kLButtonUp: dragging_ = false; return 0;
        case wm::kLButtonDblClk: SelectWordAt(CharFromX(UnpackPoint(lParam).x)); return 0;
        case wm::kSetFocus: OnFocus(true); return 0;
        case wm::kKillFocus: OnFocus(false); return 0;
        case wm::kTimer:
            if (wParam == kBlinkTimerId) {
                caretOn_ = !caretOn_;
                Paint();
            }
            return 0;
        default: return 0;
    }
}

void EditBox::OnKeyDown(int32_t key) {
    const int32_t shift = ShiftState();
    const bool extend = (shift & 1) != 0;
    const bool byWord = (shift & 2) != 0;
    const bool selected = SelLength() > 0;
    switch (key) {
        case vk::kLeft:
            // Without Shift a selection collapses to its start before the caret moves on.
            if (byWord)
                MoveCaret(WordStartBefore(caret_), extend);
            else
                MoveCaret(selected && !extend ? SelStart() : caret_ - 1, extend);
            break;
        case vk::kRight:
            if (byWord)
                MoveCaret(WordStartAfter(caret_), extend);
            else
                MoveCaret(selected && !extend ? SelStart() + SelLength() : caret_ + 1, extend);
            break;
        case vk::kHome: MoveCaret(0, extend); break;
        case vk::kEnd: MoveCaret(Length(), extend); break;
        case vk::kDelete:
            if (selected)
                ReplaceSelection({});
            else
                Erase(caret_, caret_ + 1);
            break;
        default: break;
    }
}

void EditBox::OnChar(int32_t ch) {
    if (ch == vk::kBack) {
        if (SelLength() > 0)
            ReplaceSelection({});
        else
            Erase(caret_ - 1, caret_);
        return;
    }
    // Control characters (Enter, Escape, Tab, Ctrl+letters) and values that are no character
    // put nothing into a single line.
    if (ch < 0x20 || ch == 0x7F || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return;
    std::string utf8;
    AppendUtf8(utf8, static_cast<char32_t>(ch));
    ReplaceSelection(utf8);
}

void EditBox::OnFocus(bool gained) {
    if (gained == focused_) return;
    focused_ = gained;
    dragging_ = false;
    if (gained) {
        RestartBlink();
    } else {
        blink_.Kill();
        caretOn_ = false;
    }
    Paint();
    if (!gained && events_) events_->EditLostFocus();
}

bool EditBox::InWord(int32_t i) const {
    size_t pos = bytes_[static_cast<size_t>(i)];
    return IsWordChar(DecodeUtf8(text_, pos));
}

int32_t EditBox::WordStartBefore(int32_t i) const {
    while (i > 0 && !InWord(i - 1)) --i;
    while (i > 0 && InWord(i - 1)) --i;
    return i;
}

int32_t EditBox::WordStartAfter(int32_t i) const {
    while (i < Length() && InWord(i)) ++i;
    while (i < Length() && !InWord(i)) ++i;
    return i;
}

void EditBox::SelectWordAt(int32_t i) {
    int32_t from = std::min(i, Length());
    int32_t to = from;
    while (from > 0 && InWord(from - 1)) --from;
    while (to < Length() && InWord(to)) ++to;
    anchor_ = from;
    caret_ = to;
    ScrollToCaret();
    RestartBlink();
    Paint();
}

void EditBox::ReplaceSelection(std::string_view utf8) {
    const int32_t start = SelStart();
    const size_t from = bytes_[static_cast<size_t>(start)];
    const size_t to = bytes_[static_cast<size_t>(start + SelLength())];
    int32_t inserted = 0;
    for (size_t pos = 0; pos < utf8.size(); ++inserted) DecodeUtf8(utf8, pos);
    text_.replace(from, to - from, utf8);
    anchor_ = caret_ = start + inserted;
    Measure();
    ScrollToCaret();
    RestartBlink();
    Paint();
    if (events_) events_->EditChange();
}

void EditBox::Erase(int32_t from, int32_t to) {
    from = std::max(from, 0);
    to = std::min(to, Length());
    if (from >= to) return;  // Backspace at the start, Delete at the end
    anchor_ = from;
    caret_ = to;
    ReplaceSelection({});
}

void EditBox::MoveCaret(int32_t to, bool extend) {
    caret_ = std::clamp(to, 0, Length());
    if (!extend) anchor_ = caret_;
    ScrollToCaret();
    RestartBlink();
    Paint();
}

int32_t EditBox::ShiftState() const {
    const SystemInfo& system = platform_.system;
    return (system.KeyDown(vk::kShift) ? 1 : 0) | (system.KeyDown(vk::kControl) ? 2 : 0) |
           (system.KeyDown(vk::kMenu) ? 4 : 0);
}

void EditBox::Measure() {
    FontCache& cache = platform_.text.Cache();
    Face& face = cache.FaceFor(font_, platform_.text.Dpi());
    lineHeight_ = face.Metrics().height;
    bytes_.assign(1, 0);
    xs_.assign(1, 0);
    for (size_t pos = 0; pos < text_.size();) {
        const char32_t cp = DecodeUtf8(text_, pos);
        bytes_.push_back(pos);
        xs_.push_back(xs_.back() + cache.Glyph(face, cp).advance);
    }
    caret_ = std::min(caret_, Length());
    anchor_ = std::min(anchor_, Length());
}

void EditBox::ScrollToCaret() {
    const int32_t room = std::max(window_.Width() - 2 * kMargin, 0);
    // Never leave blank room on the right while text is scrolled out on the left.
    scrollX_ = std::min(scrollX_, std::max(xs_.back() - room, 0));
    const int32_t x = xs_[static_cast<size_t>(caret_)];
    if (x < scrollX_) scrollX_ = x;
    if (x > scrollX_ + room) scrollX_ = x - room;
}

void EditBox::RestartBlink() {
    if (!focused_) return;
    caretOn_ = true;
    blink_.Set(kBlinkMs);
}

int32_t EditBox::TextTop() const { return (window_.Height() - lineHeight_) / 2; }

void EditBox::Paint() {
    Surface& picture = window_.Picture();
    if (picture.Width() == 0 || picture.Height() == 0) return;
    const SystemInfo& system = platform_.system;
    const COLORREF back = system.Resolve(back_);
    const COLORREF fore = system.Resolve(fore_);
    picture.ClearClipRect();
    picture.FillRect(picture.Bounds(), back);
    const int32_t top = TextTop();
    const int32_t left = XFromChar(0);
    platform_.text.TextOut(picture, font_, left, top, text_, fore);

    // The selection shows only while the box has the focus. A box whose back colour is the
    // highlight colour itself (the list's default) shows it inverted, so that it stays visible.
    if (focused_ && SelLength() > 0) {
        COLORREF selBack = system.colors[syscolor::kHighlight];
        COLORREF selFore = system.colors[syscolor::kHighlightText];
        if (selBack == back) {
            selBack = fore;
            selFore = back;
        }
        const RECT band{XFromChar(SelStart()), top, XFromChar(SelStart() + SelLength()),
                        top + lineHeight_};
        picture.FillRect(band, selBack);
        picture.SetClipRect(band);
        platform_.text.TextOut(picture, font_, left, top, text_, selFore);
        picture.ClearClipRect();
    }
    // The caret inverts what is under it, so it shows on any colour.
    if (CaretShown()) {
        const int32_t x = XFromChar(caret_);
        if (x >= 0 && x < picture.Width()) {
            const auto width = static_cast<size_t>(picture.Width());
            uint32_t* column = picture.Pixels() + static_cast<size_t>(x);
            const int32_t y0 = std::max(top, 0);
            const int32_t y1 = std::min(top + lineHeight_, picture.Height());
            for (int32_t y = y0; y < y1; ++y) column[static_cast<size_t>(y) * width] ^= 0xFFFFFFu;
        }
    }
}

}  // namespace glv
