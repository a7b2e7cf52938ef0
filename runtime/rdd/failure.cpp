#include "failure.h"

namespace rt::rdd {

Error makeError(int genCode, int subCode, std::string description, std::string filename, int osCode) {
    Error e;
    e.genCode = genCode;
    e.subSystem = "DBFNTX";
    e.subCode = subCode;
    e.osCode = osCode;
    e.description = std::move(description);
    e.filename = std::move(filename);
    // Every engine failure can be defaulted: the operation then answers false and changes nothing.
    e.canDefault = true;
    return e;
}

void fail(int genCode, int subCode, std::string description, std::string filename, int osCode) {
    throw Failure{makeError(genCode, subCode, std::move(description), std::move(filename), osCode)};
}

}  // namespace rt::rdd
