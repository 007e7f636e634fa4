#pragma once
// Creases and scars: thin lines where the skin does not touch the reader.

#include "FingerShape.h"
#include "Grid.h"
#include "Random.h"

namespace synth {

// Draws none to a few creases into a master print (as valley).
void addCreases(Grid& master, const FingerShape& shape, Rng& rng);

} // namespace synth
