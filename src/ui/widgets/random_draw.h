// The random draw of the program: uniform numbers in [0, 1) from a
// generator seeded from the clock at start-up. Tests replace the source to
// make a draw predictable.
#pragma once

#include <functional>

namespace selmarind {

// Seeds the generator from the clock. Called once at start-up.
void SeedRandomDraw();

// The next number of the draw, uniform in [0, 1).
double NextRandomDraw();

// Replaces the source of NextRandomDraw (tests); an empty function restores
// the clock-seeded generator.
void SetRandomDrawSource(std::function<double()> source);

} // namespace selmarind
