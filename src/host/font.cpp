#include <tavix/font.h>

#include <cmath>
#include <map>

namespace tavix {

namespace {

// Sizes are held like a currency value: rounded to 4 decimals, halves to even.
int64_t ToScaled(double points) { return static_cast<int64_t>(std::nearbyint(points * 10000.0)); }

}  // namespace

struct FontRef::State {
    std::string name { "DejaVu Sans" };
    int64_t sizeScaled { 90000 };
    bool italic { false };
    bool underline { false };
    bool strikethrough { false };
    int32_t weight { kWeightNormal };
    int16_t charset { 0 };

    // Shared so that a listener may unsubscribe (or subscribe) while being notified.
    std::map<uint64_t, std::shared_ptr<std::function<void()>>> listeners;
    uint64_t nextId { 1 };
};

FontRef::Subscription::Subscription(std::weak_ptr<void> owner, std::function<void()> unsubscribe)
    : owner_(std::move(owner))
    , unsubscribe_(std::move(unsubscribe))
{
}

FontRef::Subscription& FontRef::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        Reset();
        owner_ = std::move(other.owner_);
        unsubscribe_ = std::move(other.unsubscribe_);
    }
    return *this;
}

FontRef::Subscription::~Subscription() { Reset(); }

void FontRef::Subscription::Reset()
{
    // The font may already be gone; then there is nothing to detach from.
    if (unsubscribe_ && !owner_.expired())
        unsubscribe_();
    unsubscribe_ = nullptr;
    owner_.reset();
}

FontRef::FontRef()
    : state_(std::make_shared<State>())
{
}

FontRef::FontRef(std::string name, double points)
    : FontRef()
{
    state_->name = std::move(name);
    state_->sizeScaled = ToScaled(points);
}

FontRef::FontRef(std::shared_ptr<State> state)
    : state_(std::move(state))
{
}

FontRef FontRef::Clone() const
{
    auto copy = std::make_shared<State>(*state_);
    copy->listeners.clear();
    return FontRef(std::move(copy));
}

const std::string& FontRef::Name() const { return state_->name; }
double FontRef::Size() const { return static_cast<double>(state_->sizeScaled) / 10000.0; }
int64_t FontRef::SizeScaled() const { return state_->sizeScaled; }
bool FontRef::Bold() const { return state_->weight >= kWeightBold; }
bool FontRef::Italic() const { return state_->italic; }
bool FontRef::Underline() const { return state_->underline; }
bool FontRef::Strikethrough() const { return state_->strikethrough; }
int32_t FontRef::Weight() const { return state_->weight; }
int16_t FontRef::Charset() const { return state_->charset; }

template <typename T> void FontRef::Assign(T State::*field, T value)
{
    if ((*state_).*field == value)
        return;
    (*state_).*field = std::move(value);
    Notify();
}

void FontRef::SetName(std::string name) { Assign(&State::name, std::move(name)); }
void FontRef::SetSize(double points) { SetSizeScaled(ToScaled(points)); }
void FontRef::SetSizeScaled(int64_t scaled) { Assign(&State::sizeScaled, scaled); }
void FontRef::SetBold(bool bold) { SetWeight(bold ? kWeightBold : kWeightNormal); }
void FontRef::SetItalic(bool italic) { Assign(&State::italic, italic); }
void FontRef::SetUnderline(bool underline) { Assign(&State::underline, underline); }
void FontRef::SetStrikethrough(bool strikethrough) { Assign(&State::strikethrough, strikethrough); }
void FontRef::SetWeight(int32_t weight) { Assign(&State::weight, weight); }
void FontRef::SetCharset(int16_t charset) { Assign(&State::charset, charset); }

FontRef::Subscription FontRef::OnChanged(std::function<void()> listener)
{
    const uint64_t id = state_->nextId++;
    state_->listeners.emplace(id, std::make_shared<std::function<void()>>(std::move(listener)));
    std::weak_ptr<State> weak = state_;
    return Subscription(weak, [weak, id] {
        if (auto state = weak.lock())
            state->listeners.erase(id);
    });
}

void FontRef::Notify()
{
    // Listeners may subscribe or unsubscribe others while being called: iterate over a
    // snapshot and skip entries removed meanwhile.
    const auto snapshot = state_->listeners;
    for (const auto& [id, fn] : snapshot)
        if (state_->listeners.contains(id))
            (*fn)();
}

bool FontsEqual(const FontRef& a, const FontRef& b)
{
    if (a.Italic() != b.Italic() || a.Weight() != b.Weight())
        return false;
    if (a.SizeScaled() != b.SizeScaled() || a.Underline() != b.Underline())
        return false;
    if (a.Name() != b.Name())
        return false;
    return a.Strikethrough() == b.Strikethrough() && a.Charset() == b.Charset();
}

}  // namespace tavix
