#pragma once
// The demo company's staff: who works where, under which badge, and who has
// been discharged. Clock files and the employee table are both made from it,
// so the punches always belong to employees the table knows.
#include <string>
#include <vector>

namespace demodata {

enum class Clock { Almacen, Oficinas };

struct Employee {
    int number = 0;          // employee and badge number
    std::string name;        // code page 1252, as the programs store it
    bool discharged = false; // stopped working halfway through the period
    Clock clock = Clock::Almacen;
    int clockBadge = 0;      // the number the clock records (usually `number`)
};

std::vector<Employee> makeRoster(unsigned seed);

} // namespace demodata
