// XDbfDataSet: a data set over one DBF table of the table engine, opened through a DBF data source in a work
// area of its own under an alias. Everything that touches the table runs in that area and leaves the current
// area as it was, except Open, which leaves the set's area current. A name without an extension is left so:
// the engine adds its own (".dbf"), which also holds on file systems that tell case apart. TDbfDataSet is its user class.
#pragma once

#include <string>

#include "framework/data/data_set/data_set.h"

namespace vorpex::data {

class XDbfDataSet : public XDataSet {
public:
    using XDataSet::XDataSet;
    static const rt::Class& classRecord();

    int area() const;  // 0 while closed
    const std::string& cAlias() const { return field(kAlias).asString(); }

    rt::Value Open(rt::Args args) override;   // ([lEvents = .T.]) -> opened
    rt::Value Close(rt::Args args) override;  // ([lEvents = .T.]) -> .T.
    rt::Value FieldGet(rt::Args args) override;
    rt::Value Load(rt::Args args) override;
    rt::Value GoTop(rt::Args args);           // ([lNotify])
    rt::Value GoBottom(rt::Args args);        // ([lNotify])
    rt::Value GoTo(rt::Args args);            // (nRec, [lNotify])
    rt::Value KeyGoto(rt::Args args);         // (nKeyNo, [lNotify]) -> the engine's answer
    rt::Value Skip(rt::Args args);            // ([n = 1], [lNotify])
    rt::Value nSkip(rt::Args args);           // ([n = 1], [lNotify]) -> rows actually moved
    rt::Value Locate(rt::Args args);          // (cFor, [lRest], [lNotify]) -> found
    rt::Value Continue(rt::Args args);        // () -> found
    rt::Value Bof(rt::Args args);
    rt::Value Eof(rt::Args args);
    rt::Value Recno(rt::Args args);
    rt::Value RecCount(rt::Args args);
    rt::Value Deleted(rt::Args args);
    rt::Value Found(rt::Args args);
    rt::Value Commit(rt::Args args);
    rt::Value Select(rt::Args args);          // makes the set's area current -> area number
    rt::Value Struct(rt::Args args);          // {{name, type, len, dec}, ...}
    rt::Value Alias(rt::Args args);
    rt::Value Area(rt::Args args);

private:
    static inline int kAlias = -1, kShared = -1, kNew = -1, kReadOnlyProp = -1, kAliasWithNum = -1, kFldEdit = -1;
    // The table file the set opens: the name placed in the source's folder, or the program's.
    std::string tableFile() const;
    rt::Value inArea(const std::function<rt::Value()>& body) const;
    int64_t skipRows(int64_t n);
    void makeFields();
};

class TDbfDataSet : public XDbfDataSet {
public:
    using XDbfDataSet::XDbfDataSet;
    static const rt::Class& classRecord();
};

// VALIDALIAS(cName, [lWithNum]): an alias no work area uses, built from the name's letters, digits and
// underscores; "" when none of the tried aliases is free.
std::string validAlias(const std::string& name, bool withNumber);

}  // namespace vorpex::data
