#pragma once
// Turns an exported picture back upright, for readers that only find a symbol the right way
// up.
#include <string>

namespace linnet::testing {

// Writes the grey-scale PNG `from`, turned clockwise by `quarterTurns` quarter turns, to
// `to`: a label drawn turned anticlockwise by that much comes out upright.
void WriteUprightPng(const std::string& from, const std::string& to, int quarterTurns);

}  // namespace linnet::testing
