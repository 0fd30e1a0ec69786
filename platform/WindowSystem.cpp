#include "platform/WindowSystem.h"

#include <algorithm>

namespace glv {

WindowSystem::Window* WindowSystem::Find(HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

const WindowSystem::Window* WindowSystem::Find(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

HWND WindowSystem::CreateWindow(HWND parent, std::string className, WindowPlacement placement) {
    // Handles are never reused, so a stale handle can never name a new window.
    const HWND hwnd = nextHandle_;
    nextHandle_ += 4;
    Window window;
    window.parent = Find(parent) ? parent : 0;
    window.className = std::move(className);
    window.placement = placement;
    windows_.emplace(hwnd, std::move(window));
    if (Window* p = Find(parent)) p->children.push_back(hwnd);
    return hwnd;
}

void WindowSystem::DestroyWindow(HWND hwnd) {
    Window* window = Find(hwnd);
    if (!window) return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children) DestroyWindow(child);
    if (Window* parent = Find(Find(hwnd)->parent)) std::erase(parent->children, hwnd);
    if (focus_ == hwnd) focus_ = 0;
    windows_.erase(hwnd);
}

bool WindowSystem::IsWindow(HWND hwnd) const { return Find(hwnd) != nullptr; }

HWND WindowSystem::GetParent(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->parent : 0;
}

std::vector<HWND> WindowSystem::Children(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->children : std::vector<HWND>{};
}

void WindowSystem::BringToTop(HWND hwnd) {
    const Window* window = Find(hwnd);
    if (!window) return;
    if (Window* parent = Find(window->parent)) {
        std::erase(parent->children, hwnd);
        parent->children.push_back(hwnd);
    }
}

bool WindowSystem::SetParent(HWND hwnd, HWND parent) {
    Window* window = Find(hwnd);
    if (!window || (parent != 0 && !Find(parent))) return false;
    for (HWND up = parent; up != 0; up = GetParent(up))
        if (up == hwnd) return false;
    if (Window* old = Find(window->parent)) std::erase(old->children, hwnd);
    window->parent = parent;
    if (Window* p = Find(parent)) p->children.push_back(hwnd);
    return true;
}

std::string WindowSystem::ClassName(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->className : std::string();
}

bool WindowSystem::SetPlacement(HWND hwnd, WindowPlacement placement) {
    Window* window = Find(hwnd);
    if (!window) return false;
    window->placement = placement;
    return true;
}

WindowPlacement WindowSystem::Placement(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->placement : WindowPlacement{};
}

RECT WindowSystem::WindowRect(HWND hwnd) const {
    const Window* window = Find(hwnd);
    if (!window) return {};
    int64_t left = window->placement.x;
    int64_t top = window->placement.y;
    for (const Window* p = Find(window->parent); p; p = Find(p->parent)) {
        left += p->placement.x;
        top += p->placement.y;
    }
    return RectFrom64(left, top, left + window->placement.width, top + window->placement.height);
}

bool WindowSystem::SetVisible(HWND hwnd, bool visible) {
    Window* window = Find(hwnd);
    if (!window) return false;
    window->visible = visible;
    return true;
}

bool WindowSystem::IsVisible(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window && window->visible;
}

bool WindowSystem::SetEnabled(HWND hwnd, bool enabled) {
    Window* window = Find(hwnd);
    if (!window) return false;
    window->enabled = enabled;
    return true;
}

bool WindowSystem::IsEnabled(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window && window->enabled;
}

bool WindowSystem::SetFocus(HWND hwnd) {
    if (hwnd != 0) {
        const Window* window = Find(hwnd);
        if (!window || !window->enabled || !window->focusable) return false;
    }
    const HWND previous = focus_;
    if (previous == hwnd) return true;
    focus_ = hwnd;
    // Host code runs inside these messages and may move the focus again; each window hears of
    // its own change once.
    if (previous != 0) SendMessage(previous, wm::kKillFocus, hwnd, 0);
    if (hwnd != 0 && focus_ == hwnd) SendMessage(hwnd, wm::kSetFocus, previous, 0);
    return true;
}

void WindowSystem::SetFocusable(HWND hwnd, bool focusable) {
    if (Window* window = Find(hwnd)) window->focusable = focusable;
}

bool WindowSystem::IsFocusable(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window && window->focusable;
}

void WindowSystem::SetCursorShape(HWND hwnd, CursorShape shape) {
    if (Window* window = Find(hwnd)) window->cursor = shape;
}

CursorShape WindowSystem::GetCursorShape(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->cursor : CursorShape::Arrow;
}

bool WindowSystem::SetProp(HWND hwnd, const std::string& name, intptr_t value) {
    Window* window = Find(hwnd);
    if (!window) return false;
    window->props[name] = value;
    return true;
}

intptr_t WindowSystem::GetProp(HWND hwnd, const std::string& name) const {
    const Window* window = Find(hwnd);
    if (!window) return 0;
    auto it = window->props.find(name);
    return it == window->props.end() ? 0 : it->second;
}

intptr_t WindowSystem::RemoveProp(HWND hwnd, const std::string& name) {
    Window* window = Find(hwnd);
    if (!window) return 0;
    auto it = window->props.find(name);
    if (it == window->props.end()) return 0;
    const intptr_t value = it->second;
    window->props.erase(it);
    return value;
}

void WindowSystem::SetWindowProcedure(HWND hwnd, WindowProcedure procedure) {
    if (Window* window = Find(hwnd)) window->procedure = std::move(procedure);
}

bool WindowSystem::AttachMessage(MessageSink* sink, HWND hwnd, uint32_t msg) {
    Window* window = Find(hwnd);
    if (!window || !sink) return false;
    const auto hook = std::make_pair(msg, sink);
    if (std::find(window->hooks.begin(), window->hooks.end(), hook) == window->hooks.end())
        window->hooks.push_back(hook);
    return true;
}

bool WindowSystem::DetachMessage(MessageSink* sink, HWND hwnd, uint32_t msg) {
    Window* window = Find(hwnd);
    if (!window) return false;
    return std::erase(window->hooks, std::make_pair(msg, sink)) > 0;
}

std::size_t WindowSystem::HookCount(HWND hwnd) const {
    const Window* window = Find(hwnd);
    return window ? window->hooks.size() : 0;
}

intptr_t WindowSystem::SendMessage(HWND hwnd, uint32_t msg, intptr_t wParam, intptr_t lParam) {
    const Window* window = Find(hwnd);
    if (!window) return 0;
    // A sink may detach itself or destroy the window while handling: work on a copy and look
    // the window up again afterwards.
    std::vector<MessageSink*> sinks;
    for (const auto& [hookedMsg, sink] : window->hooks)
        if (hookedMsg == msg) sinks.push_back(sink);
    for (MessageSink* sink : sinks) {
        const Window* current = Find(hwnd);
        if (!current) return 0;
        const auto hook = std::make_pair(msg, sink);
        if (std::find(current->hooks.begin(), current->hooks.end(), hook) == current->hooks.end()) continue;
        sink->WindowProc(hwnd, msg, wParam, lParam);
    }
    const Window* current = Find(hwnd);
    if (!current || !current->procedure) return 0;
    auto procedure = current->procedure;
    return procedure(msg, wParam, lParam);
}

}  // namespace glv
