// A shared, observable font description, as automation font objects behave.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tavix {

class FontRef {
public:
    // Keeps a change listener registered for as long as it lives.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(std::weak_ptr<void> owner, std::function<void()> unsubscribe);
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription();

        void Reset();

    private:
        std::weak_ptr<void> owner_;
        std::function<void()> unsubscribe_;
    };

    static constexpr int32_t kWeightNormal = 400;
    static constexpr int32_t kWeightBold = 700;

    // "DejaVu Sans", 9 pt, normal weight.
    FontRef();
    FontRef(std::string name, double points);

    // Copies share the description; Clone() gives an independent one without listeners.
    FontRef Clone() const;
    bool SameObject(const FontRef& other) const { return state_ == other.state_; }

    const std::string& Name() const;
    double Size() const;
    // Size in points scaled by 10000, the exact value fonts are compared by.
    int64_t SizeScaled() const;
    bool Bold() const;
    bool Italic() const;
    bool Underline() const;
    bool Strikethrough() const;
    int32_t Weight() const;
    int16_t Charset() const;

    void SetName(std::string name);
    void SetSize(double points);
    void SetSizeScaled(int64_t scaled);
    void SetBold(bool bold);
    void SetItalic(bool italic);
    void SetUnderline(bool underline);
    void SetStrikethrough(bool strikethrough);
    void SetWeight(int32_t weight);
    void SetCharset(int16_t charset);

    Subscription OnChanged(std::function<void()> listener);

private:
    struct State;
    explicit FontRef(std::shared_ptr<State> state);
    template <typename T> void Assign(T State::*field, T value);
    void Notify();

    std::shared_ptr<State> state_;
};

// Equality as the font pool decides it; bold is covered by the weight.
bool FontsEqual(const FontRef& a, const FontRef& b);

}  // namespace tavix
