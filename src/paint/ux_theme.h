#pragma once
// Draws one part of a visual-style class into a rectangle. This platform has
// no visual-style engine, so opening theme data always fails; the calls keep
// their shape so that an engine can be plugged in behind them.
#include <cstdint>
#include <functional>
#include <string>

#include <tavix/native/gdi.h>
#include <tavix/native/messages.h>

namespace tavix {

class UxTheme {
public:
    // Receives failures that must not interrupt drawing; discards by default.
    using ErrorReporter = std::function<void(const std::string& message, uint32_t systemError)>;

    void SetClassName(std::string name) { className_ = std::move(name); }
    const std::string& ClassName() const { return className_; }
    void SetPart(int32_t part) { part_ = part; }
    int32_t Part() const { return part_; }
    void SetState(int32_t state) { state_ = state; }
    int32_t State() const { return state_; }
    void SetHdc(native::HDC hdc) { hdc_ = hdc; }
    native::HDC Hdc() const { return hdc_; }
    void SetHwnd(native::HWND hwnd) { hwnd_ = hwnd; }
    native::HWND Hwnd() const { return hwnd_; }

    void SetLeft(int32_t v);
    void SetTop(int32_t v);
    void SetWidth(int32_t v);
    void SetHeight(int32_t v);
    const native::Rect& Bounds() const { return rect_; }

    void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

    void DrawBackground();
    // Width of the part at its true size; 0 without theme data.
    int32_t GetPartSize();

private:
    void UpdateRect();

    std::string className_ = "Button";
    int32_t part_ = 1;
    int32_t state_ = 1;
    native::HDC hdc_ = 0;
    native::HWND hwnd_ = 0;
    int32_t left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    native::Rect rect_;
    ErrorReporter reporter_ = [](const std::string&, uint32_t) {};
};

}  // namespace tavix
