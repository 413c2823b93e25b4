// Late-bound automation objects, reached by member name.
#pragma once

#include <tavix/variant.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace tavix {

// Runtime error raised for a member the object does not have.
inline constexpr int32_t kErrNoSuchMember = 438;

class Dispatch {
public:
    enum class InvokeKind { Method, PropertyGet, PropertyPut };

    virtual ~Dispatch() = default;

    // Arguments are passed by reference so that by-reference parameters can be written back.
    // A put receives the new value as its last argument.
    virtual GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) = 0;
    virtual std::string TypeName() const = 0;

    GridVariant Call(std::string_view member, std::initializer_list<GridVariant> args = {});
    GridVariant Get(std::string_view property);
    void Put(std::string_view property, GridVariant value);
};

// A ready object with named properties and methods, for applications and tests.
// Member names are matched without regard to case, as late binding does.
class DispatchObject : public Dispatch {
public:
    using Method = std::function<GridVariant(std::span<GridVariant>)>;

    explicit DispatchObject(std::string typeName = "Object")
        : typeName_(std::move(typeName))
    {
    }

    GridVariant Invoke(std::string_view member, InvokeKind kind, std::span<GridVariant> args) override;
    std::string TypeName() const override { return typeName_; }
    void SetTypeName(std::string name) { typeName_ = std::move(name); }

    // Defines (or replaces) a property; only defined properties can be read or put.
    void DefineProperty(std::string_view name, GridVariant initial = {});
    void DefineMethod(std::string_view name, Method method);
    bool HasMember(std::string_view name) const;

private:
    struct NoCaseLess {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::string typeName_;
    std::map<std::string, GridVariant, NoCaseLess> properties_;
    std::map<std::string, Method, NoCaseLess> methods_;
};

}  // namespace tavix
