// Loadable objects: each class declares its properties in a table (name, kind,
// setter) that the component reader matches names against, and may answer
// further names itself through CustomProperties.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace ik {

class TReader;
class TCollection;

enum class PropertyKind { Integer, Enumeration, String, Object };

struct IdentEntry {
    std::string_view name;
    int32_t value;
};

class TPersistent;

struct PropertyInfo {
    std::string_view name;
    PropertyKind kind;
    // Integer: the value; Enumeration: the index of the matched name.
    std::function<void(TPersistent&, int32_t)> setInteger;
    std::function<void(TPersistent&, const std::string&)> setString;
    // Object: the object the property holds now (null when none) and the
    // setter, which only ever receives null (a nil value or an unresolved
    // reference to another component).
    std::function<TPersistent*(TPersistent&)> getObject;
    std::function<void(TPersistent&, TPersistent*)> setObject;
    std::span<const std::string_view> enumNames;
    std::span<const IdentEntry> idents;  // integer identifiers (colours)

    bool HasSetter() const { return setInteger || setString || setObject; }
};

class TPersistent {
public:
    virtual ~TPersistent() = default;
    virtual std::string ClassName() const = 0;
    virtual std::span<const PropertyInfo> Properties() const { return {}; }
    // Called with the reader whose pending property name no declared
    // property matched; register handlers with CustomValueProperty /
    // CustomBinaryProperty.
    virtual void CustomProperties(TReader&) {}
    // What read errors call this object: a named component its name, else
    // the class name.
    virtual std::string ErrorName() const { return ClassName(); }
    virtual TCollection* AsCollection() { return nullptr; }
};

class TComponent : public TPersistent {
public:
    std::string Name;
    std::string ErrorName() const override { return Name.empty() ? ClassName() : Name; }
    // The load that filled this component has finished without error.
    virtual void Loaded() {}
};

extern const std::string_view kBooleanNames[2];

// Table builders for the usual setter shapes.
template <typename T>
PropertyInfo integerProperty(std::string_view name, void (T::*set)(int32_t), std::span<const IdentEntry> idents = {}) {
    PropertyInfo info{name, PropertyKind::Integer, {}, {}, {}, {}, {}, idents};
    info.setInteger = [set](TPersistent& self, int32_t v) { (static_cast<T&>(self).*set)(v); };
    return info;
}

template <typename T>
PropertyInfo booleanProperty(std::string_view name, void (T::*set)(bool)) {
    PropertyInfo info{name, PropertyKind::Enumeration, {}, {}, {}, {}, kBooleanNames, {}};
    info.setInteger = [set](TPersistent& self, int32_t v) { (static_cast<T&>(self).*set)(v != 0); };
    return info;
}

template <typename T>
PropertyInfo stringProperty(std::string_view name, void (T::*set)(const std::string&)) {
    PropertyInfo info{name, PropertyKind::String, {}, {}, {}, {}, {}, {}};
    info.setString = [set](TPersistent& self, const std::string& v) { (static_cast<T&>(self).*set)(v); };
    return info;
}

template <typename T, typename Object>
PropertyInfo objectProperty(std::string_view name, Object* (T::*get)(), void (T::*set)(const Object*)) {
    PropertyInfo info{name, PropertyKind::Object, {}, {}, {}, {}, {}, {}};
    info.getObject = [get](TPersistent& self) -> TPersistent* { return (static_cast<T&>(self).*get)(); };
    info.setObject = [set](TPersistent& self, TPersistent* value) {
        (static_cast<T&>(self).*set)(dynamic_cast<const Object*>(value));
    };
    return info;
}

// Letter case folding of the names in data files (ASCII letters only).
bool SameText(std::string_view a, std::string_view b);
std::string LowerCase(std::string_view text);

}  // namespace ik
