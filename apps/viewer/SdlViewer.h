#pragma once
// The viewer in a real window: SDL events become the viewer's input, the control's clock
// follows SDL's monotonic clock, and the composed frame goes to one streaming texture when it
// changed. Works with any SDL video driver, the dummy one included (tests run headless).

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "apps/viewer/Viewer.h"

namespace glv::viewer {

struct WindowOptions {
    std::string title = "glv view";
    int32_t width = 800;   // window size in screen coordinates
    int32_t height = 500;
    // Milliseconds of a monotonic clock; SDL's own when empty. Tests pass a clock they move.
    std::function<int64_t()> clockMs;
};

// SDL's video subsystem for as long as it lives; SDL_Quit after the last window is gone.
class SdlVideo {
public:
    SdlVideo();
    ~SdlVideo();
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;
    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    bool ok_ = false;
    std::string error_;
};

class SdlViewer {
public:
    // Opens the window; nullptr with the error set when SDL cannot make one.
    static std::unique_ptr<SdlViewer> Open(Viewer& viewer, const WindowOptions& options, std::string& error);
    ~SdlViewer();
    SdlViewer(const SdlViewer&) = delete;
    SdlViewer& operator=(const SdlViewer&) = delete;

    SDL_Window* window() const { return window_; }
    // Window pixels per screen coordinate (2 on a HiDPI screen at 200 %).
    float Density() const { return density_; }
    void SetTitle(const std::string& title);
    // What the title shows before the status ("glv view - data.csv").
    void SetCaption(const std::string& caption) { options_.title = caption; }

    // One frame: the events waiting in SDL's queue, then the clock, then the picture. False
    // once the window was closed.
    bool Frame();
    // Frames until the window is closed, sleeping in SDL's event wait between them.
    void Run();

    // Microseconds the control took in the last frame (input delivery, timers and paint), and
    // the whole frame including composing and presenting.
    int64_t ControlMicros() const { return controlMicros_; }
    int64_t FrameMicros() const { return frameMicros_; }

    // Pixels per screen coordinate changed (the window moved to another screen): the form
    // follows the window's pixel size.
    void SyncSize();

private:
    SdlViewer(Viewer& viewer, const WindowOptions& options) : viewer_(viewer), options_(options) {}
    bool Create(std::string& error);
    void Handle(const SDL_Event& event);
    void Present();
    int64_t Now() const;

    Viewer& viewer_;
    WindowOptions options_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int32_t textureWidth_ = 0, textureHeight_ = 0;
    float density_ = 1;
    SDL_Cursor* cursor_ = nullptr;
    int32_t cursorShape_ = 0;  // the runtime's MousePointer value shown
    int32_t buttonsHeld_ = 0;
    bool quit_ = false;
    bool mustPresent_ = true;
    std::string status_;
    int64_t controlMicros_ = 0;
    int64_t frameMicros_ = 0;
};

}  // namespace glv::viewer
