// XAppData: the application-wide data bag held in the public variable `AppData`. A program adds its own
// published members at run time (AddData) and hears the end of the run through OnClose. TAppData is its user
// class.
#pragma once

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XAppData : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)  // Initialize
    // AddData(cName, xValue): a published member added to the class at run time, set to xValue.
    VP_METHODS(AddData)
    VP_OVERRIDES(Destroy)  // only fires OnClose: no Free, lCreated left alone

    static inline const EventRef OnClose{"OnClose"};

    // The singleton: stores Self in `AppData` unless it already holds an object; returns `AppData`.
    rt::Value Initialize(rt::Args args);
};

using TAppData = UserClass<XAppData, "TAppData">;

}  // namespace vorpex
