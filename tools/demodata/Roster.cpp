#include "Roster.h"

#include <algorithm>
#include <array>
#include <random>
#include <set>

namespace demodata {

namespace {

// Written in UTF-8 here for readability; converted to code page 1252 below.
constexpr std::array kGivenNames = {
    "José", "María", "Juan", "Ana", "Luis", "Rosa", "Jesús", "Lucía", "Andrés", "Inés",
    "Martín", "Sofía", "Ramón", "Mónica", "Raúl", "Verónica", "Germán", "Begoña", "Óscar", "Pilar",
};
constexpr std::array kSurnames = {
    "García", "Martínez", "López", "Hernández", "González", "Pérez", "Sánchez", "Ramírez", "Núñez",
    "Peña", "Muñoz", "Díaz", "Gómez", "Jiménez", "Ruiz", "Álvarez", "Cortés", "Ibáñez", "Rodríguez",
    "Castañeda",
};

constexpr int kStaff = 36;
// The warehouse clock knows employee 195 as badge 999 (a replacement card);
// the punch import maps 999 back to 195.
constexpr int kReenrolledNumber = 195;
constexpr int kReenrolledBadge = 999;

// UTF-8 text whose characters all lie in Latin-1, which code page 1252 shares
// from 0xA0 up.
std::string toCp1252(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80 || i + 1 == utf8.size()) {
            out += static_cast<char>(byte);
            continue;
        }
        const auto next = static_cast<unsigned char>(utf8[++i]);
        out += static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
    }
    return out;
}

std::string makeName(std::mt19937& rng)
{
    std::uniform_int_distribution<std::size_t> given(0, kGivenNames.size() - 1);
    std::uniform_int_distribution<std::size_t> surname(0, kSurnames.size() - 1);
    const std::string name = std::string(kGivenNames[given(rng)]) + " " + kSurnames[surname(rng)] + " " +
                             kSurnames[surname(rng)];
    return toCp1252(name);
}

// Badge numbers are scattered over 101-299 as people come and go; 195 is
// always among them.
std::vector<int> makeNumbers(std::mt19937& rng)
{
    std::vector<int> pool;
    for (int n = 101; n <= 299; ++n)
        if (n != kReenrolledNumber)
            pool.push_back(n);
    std::shuffle(pool.begin(), pool.end(), rng);
    pool.resize(kStaff - 1);
    pool.push_back(kReenrolledNumber);
    std::sort(pool.begin(), pool.end());
    return pool;
}

} // namespace

std::vector<Employee> makeRoster(unsigned seed)
{
    std::mt19937 rng(seed);
    std::bernoulli_distribution atOffices(0.4);
    std::bernoulli_distribution discharged(0.08);

    std::vector<Employee> staff;
    for (int number : makeNumbers(rng)) {
        Employee e;
        e.number = number;
        e.name = makeName(rng);
        e.clock = atOffices(rng) ? Clock::Oficinas : Clock::Almacen;
        e.discharged = discharged(rng);
        e.clockBadge = number;
        if (number == kReenrolledNumber) {
            e.clock = Clock::Almacen;
            e.clockBadge = kReenrolledBadge;
            e.discharged = false;
        }
        staff.push_back(e);
    }
    return staff;
}

} // namespace demodata
