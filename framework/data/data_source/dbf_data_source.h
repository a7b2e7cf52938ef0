// XDbfDataSource: a data source over DBF tables of the table engine, connected from birth, whose folder is
// cConnect ("." the program's folder). Its properties lOptimize, nLockScheme, nMemoType and nMemoSize are the
// engine's settings for cDriver: read when the source is made, written when assigned. Like the engine's, they
// are per driver and global to the process, so the last assignment on any source wins. XNtxDataSource fixes
// the driver to DBFNTX. TDbfDataSource and TNtxDataSource are their user classes.
#pragma once

#include <string>

#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/data/data_source/data_source.h"

namespace vorpex::data {

// Lock schemes and memo kinds by name (nMemoType: the memo type, and an FPT's version in tenths).
inline constexpr int dlDEFAULT = 0, dlCLIP = 1, dlCL53 = 2, dlVFP = 3, dlCL53EXT = 4, dlXHB64 = 5;
inline constexpr double dmDBT = 1, dmFPT_FP = 2.1, dmFPT_SIX = 2.2, dmFPT_FLEX = 2.3, dmSMT = 3;

// The memo type with its version as tenths (2, 1 -> 2.1); only FPT (2) carries a version.
double memoTypeValue(int type, int version);
// The tenths digit of a memo type value (2.3 -> 3), rounded so that binary fractions do not lose a digit.
int memoVersionOf(double memoType);

class XDbfDataSource : public TDataSource {
public:
    using TDataSource::TDataSource;
    static const rt::Class& classRecord();
    VP_METHODS(CommitAll,
               CreateTable,    // (aStruct, [cFile]) -> data set over the new table, or NIL
               DelTable,       // (cFile) -> erased
               SetOptimize,
               SetLockScheme,
               SetMemoType,
               SetMemoSize)
    VP_OVERRIDES(NewDataSet,  // (cName, [cProcess]) -> new TDbfDataSet or NIL
                 OnOpen,
                 OnOpened)

    const std::string& cDriver() const { return field(kDriver).asString(); }
    const std::string& cPassword() const { return field(kPassword).asString(); }

    rt::Value New(rt::Args args) override;     // ([oParent]) -> Self, settings read from the engine
    rt::Value Create(rt::Args args) override;  // ([oParent], [cConnect]) -> Self, likewise

private:
    static inline int kDriver = -1, kPassword = -1, kOptimize = -1, kLockScheme = -1, kMemoType = -1,
                      kMemoSize = -1;
    void readSettings();
    // Writes the setting `code` to the engine for cDriver when `value` (NIL: the stored one) differs from the
    // stored field, and stores it. A value of the wrong type changes nothing.
    rt::Value applySetting(int fieldPos, int code, const rt::Value& value, bool logical);
};

using TDbfDataSource = UserClass<XDbfDataSource, "TDbfDataSource">;

class XNtxDataSource : public TDbfDataSource {
public:
    using TDbfDataSource::TDbfDataSource;
    static const rt::Class& classRecord();
};

using TNtxDataSource = UserClass<XNtxDataSource, "TNtxDataSource">;

}  // namespace vorpex::data
