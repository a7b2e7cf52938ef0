// TableSteps on the runtime's table engine: work areas, PACK, SORT TO and the FRENAME/FERASE file calls with
// the Windows sharing rules. Failures of open, pack and sort go to the installed error handler first.
#pragma once
#include "table_steps.h"

namespace reorden {

class RddTableSteps : public TableSteps {
public:
    bool exists(const std::string& path) override;
    std::string resolve(const std::string& path) override;
    int rename(const std::string& from, const std::string& to) override;
    int erase(const std::string& path) override;
    bool open(const std::string& path) override;
    bool pack() override;
    int64_t recordCount() override;
    bool sortTo(const std::string& target, const std::string& field) override;
    void close() override;
    int64_t storedCount(const std::string& path) override;

private:
    int area_ = 0;  // the work area this object opened, 0 when none
};

}  // namespace reorden
