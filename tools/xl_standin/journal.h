// The stand-in's call journal: one line per call, appended and flushed at once, since the spreadsheet outlives
// the export that drives it. Platform-neutral.
#pragma once

#include <string>
#include <string_view>

namespace xl {

class Journal {
public:
    // No path: lines are dropped.
    explicit Journal(std::string path) : path_(std::move(path)) {}
    void write(std::string_view line) const;

private:
    std::string path_;
};

}  // namespace xl
