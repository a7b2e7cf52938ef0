// Shared helpers of the table-engine tests: a scratch folder per test, an error handler that records and
// answers as scripted, and small table builders.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/core/error.h"
#include "runtime/rdd/dbf_header.h"
#include "runtime/rdd/work_areas.h"
#include "tests/support/recording_handler.h"

namespace rt::rdd::test {

// Records every error; answers Default when the error allows it (else Break), unless told otherwise.
using ErrorLog = rt::testing::RecordingHandler;

// A fresh folder for each test, removed afterwards; closes every work area and resets the settings.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string& name) const { return dir_ + "/" + name; }
    std::string readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& bytes) const;
    // Creates a table; throws on failure.
    void create(const std::string& name, std::vector<Field> fields, MemoKind memo = MemoKind::Dbt);
    // Opens in a new area and answers it (null when the open failed).
    WorkArea* open(const std::string& name, bool shared = false, const std::string& alias = {});
    WorkAreas& areas() { return WorkAreas::instance(); }

    std::string dir_;
};

std::vector<Field> fields(std::initializer_list<Field> list);

}  // namespace rt::rdd::test
