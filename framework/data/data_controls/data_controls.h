// The members every data-aware edit shares (the "DataControls" methods): binding to a data set and one of its
// fields, by object or by name until the set is open; read-only unless the set edits; the user's changes
// passed into the set's edit buffer; the values read again after every move. They are bound into a control
// class built on an edit class, whose own Refresh, Change, SetReadOnly and Free they extend.
#pragma once

#include <string>

#include "framework/core/object/vp_class.h"

namespace vorpex::data {

// Declares oDataSet, oDataField, lEditable, lAutoSave, redeclares lReadOnly (default .T.) and binds Refresh,
// Change, SetDataSet, DCSetFieldObject, ResetDataField, SetData, GetData, SetFieldObject, SetReadOnly, Lock,
// UnLock and Free. `base` is the edit class the new class derives from.
void addDataControlMembers(VPClass& b, const rt::Class& base);

// The longest text a field's value shows as: a date as wide as the date format, a memo unlimited (0), any
// other field its length.
int displayLength(const std::string& type, int length);

}  // namespace vorpex::data

namespace vorpex {

// Builds TDBEdit and TDBMaskEdit (Windows only; nothing to build natively). wireFramework() calls it.
void registerDataControls();

}  // namespace vorpex
