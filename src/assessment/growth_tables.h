#pragma once

// WHO's BMI-for-age tables as the program reads them: L, M and S by sex
// (0 boys, 1 girls) and age. Generated data, in growth_tables.cpp.

namespace assessment {

// The LMS parameters at one age: Box-Cox power, median, coefficient of variation.
struct Lms
{
    double l, m, s;
};

namespace growth_tables {

// WHO Child Growth Standards 2006, by day, standing height.
constexpr int who2006FirstDay = 731;
constexpr int who2006LastDay = 1826;
extern const Lms who2006[2][who2006LastDay - who2006FirstDay + 1];

// WHO Growth Reference 2007, by month.
constexpr int who2007FirstMonth = 61;
constexpr int who2007LastMonth = 228;
extern const Lms who2007[2][who2007LastMonth - who2007FirstMonth + 1];

} // namespace growth_tables
} // namespace assessment
