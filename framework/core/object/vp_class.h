// VPClass: the class builder of the framework. On top of the runtime's builder it declares properties (a
// hidden field "F<name>" with a getter <name> and a setter _<name>), events (a caller <name> and a setter
// _<name> over a two-item slot per object) and components, and keeps each class's property and event lists.
// See docs/OBJECT_MODEL.md for how a framework class is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "framework/core/object/property_record.h"
#include "runtime/core/class_builder.h"

namespace vorpex {

class VPClass : public rt::ClassBuilder {
public:
    // A parent by record, by class handle or by class name.
    using ParentRef = std::variant<const rt::Class*, int, std::string>;

    VPClass(std::string name, const rt::Class* parent, rt::Factory factory = nullptr);
    // The runtime inherits members from the first parent only; the property and event lists come from the
    // last one, as they always did with several parents.
    VPClass(std::string name, const std::vector<ParentRef>& parents, rt::Factory factory = nullptr);

    // Declares or redeclares a property; returns the position of its hidden field, which the class keeps for
    // its typed C++ accessors.
    int addProperty(PropertySpec p);
    // Declares or redeclares an event; `params` NIL keeps an inherited parameter text.
    void addEvent(std::string_view name, int scope = rt::scope::Exported,
                  std::optional<std::string> params = std::nullopt);
    // An exported data member UPPER(name) holding a child object strongly; returns its position.
    int addComponent(std::string_view name, std::string_view type = "");

    // Adds ClassName, binds accessors named by text, lays out the event slots after all data, stores the
    // lists and registers the class function by its public name.
    rt::Class& create() override;

    const std::string& publicName() const { return publicName_; }
    const std::vector<PropertySpec>& properties() const { return properties_; }
    const std::vector<EventSpec>& events() const { return events_; }

private:
    struct TextAccessor {
        rt::Symbol message;
        std::string target;
        int scope;
        bool persistent;
    };

    void copyLists(const rt::Class& from);
    void bindGetter(const PropertySpec& p, int field);
    void bindSetter(const PropertySpec& p, int field);
    void dropPending(rt::Symbol message);
    void bindTextAccessors();
    void addClassName();
    void layOutEventSlots();

    std::string publicName_;
    std::vector<PropertySpec> properties_;
    std::vector<EventSpec> events_;
    std::vector<TextAccessor> pending_;
};

// Merges a redeclaration into the inherited record: empty members take the old values; name, scope,
// read-only and persistence are always the new ones. `moveToEnd` tells a bare redeclaration (no default, type,
// accessors, extra value or editor), which lists the property last.
PropertySpec mergeProperty(const PropertySpec& old, PropertySpec p, bool& moveToEnd);

// What calling a class function does: the first call sends InitClass when the class understands it; without
// arguments the result is a bare instance, with arguments the result of its constructor New.
rt::Value classCall(const rt::Class& cls, rt::Args args = {});

}  // namespace vorpex
