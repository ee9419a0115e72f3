#pragma once
// Planar diagram (PD) codes of knots and links, as KnotInfo, the Knot Atlas, SnapPy and Regina
// write them: [[1,5,2,4],[3,1,4,6],[5,3,6,2]] or PD[X[1,5,2,4], X[3,1,4,6], X[5,3,6,2]].
//
// The edges of the diagram carry the labels 1..2n (n crossings), each label on two crossings. A
// crossing X[a,b,c,d] lists its edges counter-clockwise from a, the incoming under-edge; c is the
// outgoing under-edge. The over-strand runs from d to b at a positive crossing and from b to d at a
// negative one. Where the under-edges do not settle the direction of a component (it passes over
// every crossing it meets), the component runs the way its labels increase.
//
// The trefoil 3_1 as [[1,5,2,4],[3,1,4,6],[5,3,6,2]]: in [1,5,2,4] the under-strand runs from edge
// 1 to edge 2 and the over-strand from edge 4 to edge 5 (= 4 + 1), so the crossing is positive; so
// are the other two: the right-handed trefoil, the closure of the braid {1,1,1}.

#include <array>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "group/braid.h"

namespace quarvel {

using PdCrossing = std::array<int, 4>;

// The crossings of a PD code. Blanks anywhere, "PD" before the list and "X" before a crossing are
// optional, and round brackets may stand for square ones. Fails on text that is no such list and
// on the first crossing that does not hold four labels.
Result<std::vector<PdCrossing>> ParsePdCode(std::string_view text);

// The diagram's arcs and crossings as a closure (group/braid.h): arc 1 holds edge 1, the arcs are
// numbered in the order of their least edge labels, the crossings keep the code's order. isLink
// when the diagram has more than one component. Fails with a message that names the first bad
// crossing: a label outside 1..2n or used other than twice, under- and over-edges whose directions
// contradict each other; and when there is no crossing.
Result<ClosedBraid> ClosePdDiagram(const std::vector<PdCrossing>& crossings);

}  // namespace quarvel
