// XDBEdit (an edit) and XDbMaskEdit (a masked edit) bound to one field of a data set through the shared data
// members (data_controls.h): they show the current record's value, stay read-only while the set browses and
// pass the user's changes into its edit buffer. TDBEdit and TDBMaskEdit are their user classes.
#pragma once

#include "framework/controls/edit/edit.h"
#include "framework/controls/masked_edit/mask_edit.h"
#include "framework/core/object/user_class.h"

namespace vorpex::data {

class XDBEdit : public TEdit {
public:
    using TEdit::TEdit;
    static const rt::Class& classRecord();
};

using TDBEdit = UserClass<XDBEdit, "TDBEdit">;

class XDbMaskEdit : public TMaskEdit {
public:
    using TMaskEdit::TMaskEdit;
    static const rt::Class& classRecord();
};

using TDBMaskEdit = UserClass<XDbMaskEdit, "TDBMaskEdit">;

}  // namespace vorpex::data
