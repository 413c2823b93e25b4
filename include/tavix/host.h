// What the grid requires of the container that hosts it.
#pragma once

#include <tavix/events.h>
#include <tavix/font.h>
#include <tavix/property_bag.h>

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavix {

// Message box flags and answers, with the platform's values.
enum EMessageBoxFlags : int32_t {
    MB_OK = 0,
    MB_OKCANCEL = 1,
    MB_YESNO = 4,
    MB_ICONSTOP = 16,
    MB_ICONERROR = 16,
    MB_ICONQUESTION = 32,
    MB_ICONEXCLAMATION = 48,
    MB_ICONINFORMATION = 64,
};
enum EMessageBoxResults : int32_t { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

class Host {
public:
    virtual ~Host() = default;

    // Events are raised by calling the sink directly; by-reference arguments are read back
    // by the grid after the call. Null when nobody listens.
    virtual TavixEvents* EventSink() const = 0;
    virtual void SetEventSink(TavixEvents* sink) = 0;
    // The sink, or one that ignores every event when nobody listens.
    TavixEvents& Events() const;

    // A persisted property changed (a designer marks its document dirty).
    virtual void PropertyChanged(std::string_view name) = 0;
    virtual PropertyBag& Properties() = 0;

    // False while the control sits in a designer.
    virtual bool UserMode() const = 0;
    virtual FontRef AmbientFont() const = 0;

    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;
    virtual int ScreenWidthTwips() const = 0;
    virtual int ScreenHeightTwips() const = 0;

    // Modal message box; returns the button chosen (IDOK ...).
    virtual int MessageBox(std::string_view text, std::string_view title, int flags) = 0;

    // An event handler threw while the grid was handling a window message from
    // the message loop (a paint, a key, a row request while scrolling). Nobody
    // up the stack could catch it, so it ends here and the grid goes on; by
    // default it is written to stderr. Exceptions from handlers of events that
    // a call of the application raised reach that call instead.
    virtual void UnhandledException(std::exception_ptr error);
};

// The host applications and tests use: synchronous events, an in-memory property bag,
// recorded property changes and message boxes.
class StandaloneHost : public Host {
public:
    struct ShownMessage {
        std::string text;
        std::string title;
        int flags { 0 };
    };
    using MessageBoxResponder = std::function<int(const ShownMessage&)>;

    static constexpr int kTwipsPerPixel = 15;

    TavixEvents* EventSink() const override { return sink_; }
    void SetEventSink(TavixEvents* sink) override { sink_ = sink; }

    void PropertyChanged(std::string_view name) override;
    PropertyBag& Properties() override { return properties_; }
    const std::vector<std::string>& ChangedProperties() const { return changed_; }
    void ClearChangedProperties() { changed_.clear(); }

    bool UserMode() const override { return userMode_; }
    void SetUserMode(bool userMode) { userMode_ = userMode; }
    // The ambient font is handed out as is: the grid clones it when it needs its own.
    FontRef AmbientFont() const override { return ambientFont_; }
    void SetAmbientFont(FontRef font) { ambientFont_ = std::move(font); }

    int TwipsPerPixelX() const override { return kTwipsPerPixel; }
    int TwipsPerPixelY() const override { return kTwipsPerPixel; }
    int ScreenWidthTwips() const override { return screenWidthPx_ * kTwipsPerPixel; }
    int ScreenHeightTwips() const override { return screenHeightPx_ * kTwipsPerPixel; }
    void SetScreenSizePixels(int width, int height);

    int MessageBox(std::string_view text, std::string_view title, int flags) override;
    const std::vector<ShownMessage>& ShownMessages() const { return messages_; }
    void ClearShownMessages() { messages_.clear(); }
    // Without a responder every box is answered with IDOK.
    void SetMessageBoxResponder(MessageBoxResponder responder) { responder_ = std::move(responder); }

private:
    TavixEvents* sink_ { nullptr };
    PropertyBag properties_;
    std::vector<std::string> changed_;
    bool userMode_ { true };
    FontRef ambientFont_;
    int screenWidthPx_ { 1920 };
    int screenHeightPx_ { 1080 };
    std::vector<ShownMessage> messages_;
    MessageBoxResponder responder_;
};

}  // namespace tavix
