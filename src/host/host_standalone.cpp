#include <tavix/host.h>

#include <cstdio>

namespace tavix {

TavixEvents& Host::Events() const
{
    static TavixEvents nobody;
    TavixEvents* sink = EventSink();
    return sink != nullptr ? *sink : nobody;
}

void Host::UnhandledException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavix: an event handler failed: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "tavix: an event handler failed with an exception that is not a std::exception\n");
    }
}

void StandaloneHost::PropertyChanged(std::string_view name) { changed_.emplace_back(name); }

void StandaloneHost::SetScreenSizePixels(int width, int height)
{
    if (width <= 0 || height <= 0)
        throw TavixError::Grid(tvErrInvalidArgument);
    screenWidthPx_ = width;
    screenHeightPx_ = height;
}

int StandaloneHost::MessageBox(std::string_view text, std::string_view title, int flags)
{
    messages_.push_back(ShownMessage { std::string(text), std::string(title), flags });
    return responder_ ? responder_(messages_.back()) : IDOK;
}

}  // namespace tavix
