#include "cli/knots_command.h"

#include "group/knot_tables.h"
#include "group/table_knots.h"

namespace quarvel::cli {

void PrintPickList(std::ostream& out, PickList list, int primesUpTo) {
  switch (list) {
    case PickList::knots:
      out << kKnotListHeader << '\n';
      for (int p = 1; p <= kKnotTableSize; ++p) out << KnotListEntry(p) << "  " << KnotBraid(p) << '\n';
      return;
    case PickList::examples:
      out << kExamplesListHeader << '\n';
      for (int p = 1; p <= kExampleCount; ++p) out << ExamplesListEntry(p) << "  " << ExampleBraid(p) << '\n';
      return;
    case PickList::mutants:
      for (int p = 0; p <= MutantsListSize(); ++p) out << MutantsListEntry(p) << '\n';
      return;
    case PickList::primes:
      out << "% The prime knots with up to " << primesUpTo << " crossings\n";
      for (int p = 1; p <= kPrimeKnotCount && PrimeKnotCrossings(p) <= primesUpTo; ++p) {
        out << PrimeKnotName(p) << "  " << TableKnotDiagram(PrimeKnotName(p)).value_or("") << '\n';
      }
      return;
  }
}

}  // namespace quarvel::cli
