// XDBBrwColumn: a grid column that shows one field object of its data-aware browse's data set. Until the set
// opens it may hold the field's name; the set binds it on opening and turns it back into the name on closing.
// TDBBrwColumn is its user class.
// XDbfBrwColumn (TDbfBrwColumn): a column on field nField of a work area named by its browse. No browse names
// a work area and nothing sets nField, so it shows nothing; it is kept for programs that create it by name.
#pragma once

#include "framework/browse/brw_column.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XDBBrwColumn : public TBrwColumn {
public:
    using TBrwColumn::TBrwColumn;
    static const rt::Class& classRecord();
    VP_METHODS(GetData)  // ([lNull = .T.], [lField = .T.]): the field's value

    // The bound field object, or NIL while the column holds a name (or nothing).
    rt::Value boundField() const;
    std::string cSortEval() const;

private:
    static inline int kSortEval = -1;
};

using TDBBrwColumn = UserClass<XDBBrwColumn, "TDBBrwColumn">;

class XDbfBrwColumn : public TBrwColumn {
public:
    using TBrwColumn::TBrwColumn;
    static const rt::Class& classRecord();
};

using TDbfBrwColumn = UserClass<XDbfBrwColumn, "TDbfBrwColumn">;

}  // namespace vorpex
