#include "apps/viewer/SdlViewer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "apps/viewer/KeyMap.h"

namespace glv::viewer {

namespace {

// The runtime's button codes.
int32_t ButtonOf(uint8_t sdlButton) {
    switch (sdlButton) {
        case SDL_BUTTON_LEFT: return 1;
        case SDL_BUTTON_RIGHT: return 2;
        case SDL_BUTTON_MIDDLE: return 4;
        default: return 0;
    }
}

// The runtime's pointer shapes (MousePointer values) as SDL's system cursors.
struct PointerShape {
    int32_t shape;
    SDL_SystemCursor cursor;
};
constexpr PointerShape kPointerShapes[] = {
    {0, SDL_SYSTEM_CURSOR_ARROW},     {1, SDL_SYSTEM_CURSOR_ARROW},    {2, SDL_SYSTEM_CURSOR_CROSSHAIR},
    {3, SDL_SYSTEM_CURSOR_IBEAM},     {5, SDL_SYSTEM_CURSOR_SIZEALL},  {6, SDL_SYSTEM_CURSOR_SIZENESW},
    {7, SDL_SYSTEM_CURSOR_SIZENS},    {8, SDL_SYSTEM_CURSOR_SIZENWSE}, {9, SDL_SYSTEM_CURSOR_SIZEWE},
    {11, SDL_SYSTEM_CURSOR_WAIT},     {12, SDL_SYSTEM_CURSOR_NO},      {13, SDL_SYSTEM_CURSOR_WAITARROW},
    {15, SDL_SYSTEM_CURSOR_SIZEALL},  {99, SDL_SYSTEM_CURSOR_HAND},
};

SDL_SystemCursor CursorFor(int32_t shape) {
    for (const PointerShape& entry : kPointerShapes)
        if (entry.shape == shape) return entry.cursor;
    return SDL_SYSTEM_CURSOR_ARROW;
}

int64_t MicrosSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

SdlVideo::SdlVideo() {
    ok_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (!ok_) error_ = SDL_GetError();
}

SdlVideo::~SdlVideo() {
    if (ok_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
}

std::unique_ptr<SdlViewer> SdlViewer::Open(Viewer& viewer, const WindowOptions& options, std::string& error) {
    std::unique_ptr<SdlViewer> window(new SdlViewer(viewer, options));
    if (!window->Create(error)) return nullptr;
    return window;
}

bool SdlViewer::Create(std::string& error) {
    window_ = SDL_CreateWindow(options_.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, options_.width,
                               options_.height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_) renderer_ = SDL_CreateRenderer(window_, -1, 0);
    // Some drivers (the dummy one) have no accelerated renderer; the software one always works.
    if (window_ && !renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!window_ || !renderer_) {
        error = std::string("cannot open a window: ") + SDL_GetError();
        return false;
    }
    SDL_StartTextInput();
    SyncSize();
    return true;
}

SdlViewer::~SdlViewer() {
    SDL_StopTextInput();
    if (cursor_) SDL_FreeCursor(cursor_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

int64_t SdlViewer::Now() const {
    return options_.clockMs ? options_.clockMs() : static_cast<int64_t>(SDL_GetTicks64());
}

void SdlViewer::SetTitle(const std::string& title) { SDL_SetWindowTitle(window_, title.c_str()); }

// The form is sized in window pixels; on a HiDPI screen that is more than the window's screen
// coordinates, and twips per pixel shrink to match (15 at 96 dots per inch).
void SdlViewer::SyncSize() {
    int windowWidth = 0, windowHeight = 0, pixelWidth = 0, pixelHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    if (SDL_GetRendererOutputSize(renderer_, &pixelWidth, &pixelHeight) != 0 || pixelWidth <= 0) {
        pixelWidth = windowWidth;
        pixelHeight = windowHeight;
    }
    density_ = windowWidth > 0 ? static_cast<float>(pixelWidth) / static_cast<float>(windowWidth) : 1.0f;
    const int twips = std::max(1, static_cast<int>(std::lround(15.0f / density_)));
    Container& container = viewer_.Control().container();
    container.TwipsPerPixelX = twips;
    container.TwipsPerPixelY = twips;
    if (pixelWidth != viewer_.Frame().Width() || pixelHeight != viewer_.Frame().Height() ||
        pixelWidth != viewer_.Control().Width() || pixelHeight != viewer_.Control().Height())
        viewer_.Resize(pixelWidth, pixelHeight);
    mustPresent_ = true;
}

void SdlViewer::Handle(const SDL_Event& event) {
    const auto pixels = [&](int32_t coordinate) { return static_cast<int32_t>(std::lround(coordinate * density_)); };
    const int32_t shift = ShiftMaskOf(static_cast<uint16_t>(SDL_GetModState()));
    switch (event.type) {
        case SDL_QUIT: quit_ = true; break;
        case SDL_MOUSEMOTION:
            viewer_.Pointer(Form::PointerAction::Move, pixels(event.motion.x), pixels(event.motion.y), 1, shift);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int32_t button = ButtonOf(event.button.button);
            if (button == 0) break;
            const bool down = event.type == SDL_MOUSEBUTTONDOWN;
            buttonsHeld_ = down ? buttonsHeld_ | button : buttonsHeld_ & ~button;
            // A drag that leaves the window keeps reporting, as the pressed window keeps the
            // pointer in the runtime.
            SDL_CaptureMouse(buttonsHeld_ != 0 ? SDL_TRUE : SDL_FALSE);
            viewer_.Pointer(down ? Form::PointerAction::Down : Form::PointerAction::Up, pixels(event.button.x),
                            pixels(event.button.y), button, shift);
            break;
        }
        case SDL_MOUSEWHEEL: {
            const double notches = event.wheel.preciseY != 0 ? event.wheel.preciseY : event.wheel.y;
            viewer_.Wheel(event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -notches : notches);
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            if (const auto code = VirtualKeyOf(event.key.keysym.sym))
                viewer_.Key(event.type == SDL_KEYDOWN ? KeyAction::Down : KeyAction::Up, *code,
                            ShiftMaskOf(event.key.keysym.mod));
            break;
        case SDL_TEXTINPUT: viewer_.Text(event.text.text, shift); break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_SIZE_CHANGED: SyncSize(); break;
                case SDL_WINDOWEVENT_FOCUS_GAINED: viewer_.Focus(true); break;
                case SDL_WINDOWEVENT_FOCUS_LOST: viewer_.Focus(false); break;
                // The pointer left: the system cursor goes outside every window, so hover
                // states end as the control's leave check sees it.
                case SDL_WINDOWEVENT_LEAVE:
                    if (buttonsHeld_ == 0) viewer_.Pointer(Form::PointerAction::Move, -1, -1, 1, shift);
                    break;
                case SDL_WINDOWEVENT_EXPOSED: mustPresent_ = true; break;
                default: break;
            }
            break;
        default: break;
    }
}

void SdlViewer::Present() {
    const Surface& frame = viewer_.Frame();
    if (frame.Width() <= 0 || frame.Height() <= 0) return;
    if (!texture_ || textureWidth_ != frame.Width() || textureHeight_ != frame.Height()) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, frame.Width(),
                                     frame.Height());
        textureWidth_ = frame.Width();
        textureHeight_ = frame.Height();
    }
    if (!texture_) return;
    SDL_UpdateTexture(texture_, nullptr, frame.Pixels(), frame.Width() * static_cast<int>(sizeof(uint32_t)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool SdlViewer::Frame() {
    const auto start = std::chrono::steady_clock::now();
    SDL_Event event;
    while (!quit_ && SDL_PollEvent(&event)) Handle(event);
    viewer_.AdvanceTo(Now());
    controlMicros_ = MicrosSince(start);
    if (viewer_.Compose() || mustPresent_) {
        Present();
        mustPresent_ = false;
    }
    const std::string status = options_.title + " \xE2\x80\x94 " + viewer_.Status();
    if (status != status_) {
        status_ = status;
        SetTitle(status_);
    }
    const int32_t shape = PointerShapeOf(viewer_.platform());
    if (shape != cursorShape_) {
        cursorShape_ = shape;
        if (cursor_) SDL_FreeCursor(cursor_);
        cursor_ = SDL_CreateSystemCursor(CursorFor(shape));
        SDL_SetCursor(cursor_);
    }
    frameMicros_ = MicrosSince(start);
    return !quit_;
}

void SdlViewer::Run() {
    while (Frame()) {
        // Sleep until input arrives or the next frame is due, so timers tick about as often as
        // a screen refreshes without spinning.
        SDL_WaitEventTimeout(nullptr, 10);
    }
}

}  // namespace glv::viewer
