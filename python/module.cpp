// The Python module `quarvel`: the library's computations on plain Python values.
#include "bindings.h"

namespace {

constexpr const char* kModuleDoc = R"(Twisted Alexander polynomials of knots over F_p.

A knot or link enters as a Presentation: from_braid([1, 1, 1]) or from_braid('{1,-2,1,-2}'),
from_knot('11_401') for the built-in tables (knot_names() lists the 801 knots), or from_text()
with the text of a presentation file. simplify() eliminates generators; every computation below
simplifies an unsimplified presentation itself, from a fresh random generator as a fresh
quarvel-cli run does, so results are reproducible.

Computations:
  alexander_polynomial(p, field=13)      the Alexander polynomial over F_p
  alexander_polynomial_over_z(p)         the Alexander polynomial over Z
  homomorphisms(p, group='s5')           homomorphisms into S_k / A_k up to conjugation
  twisted_polynomial(p, images=..., ...) the twisted polynomial of a homomorphism
  twisted_polynomial(p, rep='sk-v', size=3)  ... or of a representation the random search finds
  evaluate_norm(p, rep='sk-v', size=3)   genus and Thurston-norm bounds, fibering verdict
  isotopy_invariant(knot, group='s5')    classes, their polynomials and the product, as
                                         quarvel-cli isotopy --knot K --group s5 computes them

Polynomials are Polynomial values: coefficients from the lowest exponent up, the lowest exponent
and the field (0 for Z). Permutations are tuples in one-line notation. Failures raise
quarvel.Error (a ValueError) with the program's message. Long computations release the GIL and
stop on Ctrl-C with KeyboardInterrupt.

Example:
  >>> import quarvel
  >>> trefoil = quarvel.from_knot('3_1')
  >>> str(quarvel.alexander_polynomial(trefoil))
  '1+12t+t^2 mod 13'
  >>> quarvel.isotopy_invariant('3_1', group='s3').class_count
  1
)";

}  // namespace

PYBIND11_MODULE(quarvel, module) {
  using namespace quarvel::python;
  module.doc() = kModuleDoc;
  RegisterErrors(module);
  RegisterPolynomial(module);
  RegisterPresentation(module);
  RegisterAlexander(module);
  RegisterHomomorphisms(module);
  RegisterIsotopy(module);
  RegisterNorm(module);
}
