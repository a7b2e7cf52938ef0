// The public user class T<Name> of an implementation class X<Name>: built with the public name, the
// implementation class as its only parent and no members of its own, so it inherits members, constructors and
// the property and event lists, and answers ClassName with the public name.
//
//     const rt::Class& TButton::classRecord() {
//         static const rt::Class& c = userClass<TButton>("TButton", XButton::classRecord());
//         return c;
//     }
#pragma once

#include <string>

#include "framework/core/object/vp_class.h"

namespace vorpex {

template <class T>
const rt::Class& userClass(std::string publicName, const rt::Class& implementation) {
    VPClass b(std::move(publicName), &implementation, rt::factoryOf<T>());
    return b.create();
}

}  // namespace vorpex
