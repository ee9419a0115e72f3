#include "ui/help_texts.h"

namespace quarvel::ui {
namespace {

const char* const kNormOverview = R"(
<h3>What the workbench computes</h3>
<p>Quarvel takes a finitely presented group &pi; together with a homomorphism
&phi;: &pi; &rarr; Z. Usually &pi; is the fundamental group of a knot or link complement and
&phi; sends every meridian to 1, but any 3-manifold group with any such &phi; will do.</p>
<p>For a representation &alpha; of &pi; into a group of matrices over a prime field F_p,
Fox calculus turns the presentation into a matrix over F_p[t, t<sup>-1</sup>]. Diagonalising
it gives the <i>twisted Alexander polynomial</i> of (&pi;, &phi;, &alpha;). Its degree, corrected
by the degrees of the zeroth (and for closed manifolds the second) twisted polynomial, is a lower
bound on the Thurston norm of &phi;; for a knot this is a lower bound on the genus. If the
manifold fibers over the circle along &phi;, every twisted polynomial must have exactly the
degree the norm predicts, and must not depend on the field: a mismatch proves that it does
not fiber.</p>
<h3>How a run goes</h3>
<ol>
<li>Choose the input on the left: type a braid, pick a knot from one of the three lists, or
double-click a presentation file or a list of knots (or find it with <b>Browse...</b>).</li>
<li>Choose the options on the right and press <b>Start</b>.</li>
<li>The run first computes the ordinary (untwisted) Alexander polynomial, then searches
representations at random, one after the other, and evaluates each. The best bound found so
far stays at the top of the presentation panel.</li>
<li>The run ends when the stop condition you chose holds. <b>Pause</b> holds it where it is and
continues on the second press; <b>Back to the main menu</b> ends it at once.</li>
</ol>
<p>Depending on the save options, the results also go to the text file <tt>quarvel_results.txt</tt>
or the LaTeX file <tt>quarvel_latex.tex</tt>, and the presentation matrix to
<tt>quarvel_matrix.txt</tt> or the GAP program <tt>quarvel_matrix_gap.txt</tt>, in the folder the
program was started from.</p>
)";

const char* const kGroupsHelp = R"(
<h3>Braid descriptions</h3>
<p>A braid is written as a list of non-zero integers in braces, for example
<tt>{-1,2,-1,2}</tt> (the figure-eight knot). The entry <tt>+i</tt> is a positive crossing of the
strands at positions i and i+1, <tt>-i</tt> a negative one. The program closes the braid, builds
the Wirtinger presentation of the complement (one generator for every arc) and sets &phi; to 1 on
every generator. A braid may have up to 31 strands and 47 crossings. With
&quot;Compute polynomials for 0-surgery along closed braid&quot; it computes for the manifold
obtained by 0-surgery along the first component instead.</p>
<p>The picture next to the buttons shows the closed braid of whatever stands in the braid box.</p>
<h3>Presentation files, format I</h3>
<p>Generators are the letters a..z and A..Z. Each relator takes one line and is written as
syllables: a sign, an optional exponent, a letter; <tt>-a+2b</tt> means a<sup>-1</sup>b<sup>2</sup>.
Title lines without a sign are passed over. After the relators come the values of &phi;, one short
line each: a letter and its value. Generators without such a line get &phi; = 1.</p>
<p>Example: the Whitehead link with &phi;(a) = 0 and &phi;(b) = 1.</p>
<pre>
Whitehead link
-b-a-b+a+b-a-b-a+b+a+b-a-b+a+b+a
a0
b1
</pre>
<h3>Presentation files, format II</h3>
<p>This is the form other knot software writes: generators <tt>x_{1}</tt>, <tt>x_{2}</tt>, ...,
inverses as <tt>x_{3}^{-1}</tt>, one relator per line, for example</p>
<pre>
x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}
</pre>
<p>Here &phi; is 1 on every generator. A file that holds a line beginning with <tt>{</tt> is run as
that braid.</p>
<p>Choose the kind of group in the list below the file picker (knot complement, link complement,
manifold with or without boundary): the bounds are computed for that kind.</p>
)";

const char* const kRepresentationsHelp = R"(
<h3>Representations</h3>
<p>Every representation starts from a homomorphism of &pi; onto a finite group, found by a random
search. The list of representation kinds chooses the group and how it acts:</p>
<ul>
<li><b>pi_1(M) &rarr; S_k &rarr; GL(V), dim(V) = k-1</b>: a homomorphism to the symmetric group S_k
acting by permuting coordinates, restricted to the subspace V of vectors whose coordinates sum
to zero. The A_k entry takes the alternating group instead.</li>
<li><b>pi_1(M) &rarr; S_k &rarr; GL(Z,k)</b>: the same permutation action on all of F<sup>k</sup>
(again also for A_k).</li>
<li><b>Abelian representation</b>: homomorphisms to the units of the field, GL(F,1); a cheap
first look, and the only kind that needs no size.</li>
<li><b>S_k - representation</b>: the regular representation of the image of &pi; in S_k, whose
dimension is the order of that image.</li>
<li><b>Z/k x Z/n &rarr; GL(F,n)</b>: metabelian representations through the dihedral groups
Z/2 &times; Z/l, in which Z/2 acts on Z/l by &minus;1, permuting the l points of Z/l; the size list
bounds l.</li>
</ul>
<p>The size list gives k, the number of points S_k permutes. Larger k finds more, but the matrices
grow with k times the number of generators and relators, up to 300 rows and columns.</p>
<p>&quot;Compare degrees over several fields&quot; computes the polynomial of each representation
over every ticked field. Different degrees over different fields show that the manifold does not
fiber.</p>
)";

const char* const kMathHelp = R"(
<h3>The bounds</h3>
<p>Let &alpha; be a representation of dimension k, &Delta;<sub>1</sub> its twisted Alexander
polynomial and &Delta;<sub>0</sub> the zeroth one, and let b<sub>3</sub> be 1 for a closed
manifold and 0 for a knot or link complement or another manifold with boundary. Then</p>
<p align="center">||&phi;|| &ge; (deg &Delta;<sub>1</sub> &minus; (1 + b<sub>3</sub>) deg
&Delta;<sub>0</sub>) / k,</p>
<p>(for a closed manifold the second twisted polynomial enters the correction as well). For a
knot, ||&phi;|| = 2 genus &minus; 1, so every twisted polynomial gives a lower bound on the
genus. The untwisted polynomial (k = 1) gives the classical bound: the genus is at least half the
degree of the Alexander polynomial. Twisted polynomials often do better, for example on the
Conway knot and the Kinoshita-Terasaka knot, whose Alexander polynomial is 1.</p>
<h3>Fibering</h3>
<p>If M fibers over the circle with &phi; as the fibration, equality holds for every
representation over every field, and the twisted polynomials are monic. So a representation
whose degree does not match what the untwisted polynomial predicts, or whose degree changes
from one field to another, proves that M does not fiber; a vanishing twisted polynomial does
too. The program then says &quot;The knot is not fibered&quot; (or the same for a link or a
manifold). The Alexander polynomial of a fibered knot is monic; when several fields are compared,
a knot whose Alexander polynomial is not monic is not taken further.</p>
<p>Nothing of this proves that a knot <i>is</i> fibered: &quot;perhaps fibered&quot; only means
that no obstruction has been found yet.</p>
)";

const char* const kNormListsHelp = R"(
<h3>Lists of knots</h3>
<p>A list is a text file with one knot per line: a name, optionally followed by a colon, and a
braid in braces. Lines beginning with <tt>%</tt> are comments, and the line <tt>end</tt> closes
the list. Pick the file in the file picker and press Start: the program works through the list
knot by knot and writes each knot's results into its own line right away, so a run can be
stopped at any time and continued later.</p>
<pre>
% knots to look at
3_1: {-1,-1,-1}
4_1: {-1,2,-1,2}
end
</pre>
<p>A pass over the list uses the size chosen on the main window; when it reaches the end, the
next pass uses the next size, and so on. Knots that already satisfy the stop condition are left
out of later passes. After two passes from size 3 with &quot;Stop at first non-trivial
representation&quot; the list reads:</p>
<pre>
% knots to look at
3_1:          1+12t+t^2                                       reps of dim3y         genus&gt;=1.00  perhaps fibered  braid {-1,-1,-1}
4_1:          1+10t+t^2                                       reps of dim3n4y       genus&gt;=1.00  perhaps fibered  braid {-1,2,-1,2}
end
</pre>
<p>Each line holds the untwisted Alexander polynomial, the sizes tried (<tt>y</tt>: a
representation of that size was found, <tt>n</tt>: none), the best genus bound, the fibering
verdict and the braid. Write <tt>new</tt> into a line to have that knot computed again.</p>
<p>When several fields are compared, a knot that has been shown not to fiber is left alone and
the run moves on to the next one.</p>
)";

const char* const kIsotopyOverview = R"(
<h3>Twisted Alexander polynomials as isotopy invariants</h3>
<p>For a knot group &pi; and k &le; 7 let R<sub>k</sub>(&pi;) be the set of homomorphisms
&pi; &rarr; S<sub>k</sub> up to conjugation by S<sub>k</sub>. It is finite and depends only on
the knot. Each homomorphism in it gives a permutation representation and so a twisted Alexander
polynomial over F_p, defined up to units. Their product over all of R<sub>k</sub>(&pi;) is
therefore an invariant of the knot, and more generally of a manifold together with a
homomorphism H_1(M) &rarr; Z.</p>
<p>The program finds every element of R<sub>k</sub>(&pi;), or of the homomorphisms into
A<sub>k</sub>, computes each twisted polynomial and shows the product. By default it leaves out
the homomorphisms with abelian image: for a knot they factor through H_1 = Z, and their
polynomials add little to the ordinary Alexander polynomial. &quot;Compute only the ordinary
Alexander polynomial&quot; skips the representations altogether.</p>
<p>Knots with different products are different. The product often tells apart knots that the
Alexander polynomial cannot, mutants among them.</p>
<p>As the save option says, the classes and the product also go to the text file
<tt>quarvel_results.txt</tt> or the LaTeX file <tt>quarvel_latex.tex</tt>, in the folder the
program was started from.</p>
)";

const char* const kIsotopyListsHelp = R"(
<h3>Lists of knots</h3>
<p>A list has one knot per line, a name and a braid in braces, and ends with the line
<tt>end</tt>; lines beginning with <tt>%</tt> are comments. Each knot's line is replaced by its
result as soon as it is computed:</p>
<pre>
&lt;name&gt;: degree = &lt;d&gt;, number of reps: &lt;r&gt;,  Polynomial = &lt;product&gt; mod &lt;p&gt;,  Braid: {...}
</pre>
<p>with the degree of the product, the number of homomorphisms and the product itself (long
products are shortened in the middle). Lines that already carry a result are skipped, so a
stopped run continues with the first knot not yet done; replace <tt>degree</tt> by
<tt>new</tt> to compute a knot again.</p>
<p>When two knots get the same product, both lines are marked <tt>Repeated!</tt> and are listed
again after <tt>end</tt> under &quot;List of knots which could not be distinguished:&quot;.</p>
)";

const char* const kIsotopyGroupHelp = R"(
<h3>Describing the group</h3>
<p>Type a braid into the braid box, for example <tt>{-1,2,-1,2}</tt>, where <tt>+i</tt> is a
positive and <tt>-i</tt> a negative crossing of the strands at positions i and i+1, or pick a
knot from the lists; the mutants list holds pairs and triples of mutant knots to compare. A
presentation file can be used as well, in either format described in the help of the other
mode; &phi; is then 1 on every generator unless the file says otherwise.</p>
<p>The group list decides how many homomorphisms there are to look at: S_5 is a good start, S_6
and S_7 take much longer on larger knots. The field list chooses p.</p>
)";

const char* const kAbout = R"(
<h2>Quarvel %1</h2>
<p>A workbench for twisted Alexander polynomials of knots, links and 3-manifolds.</p>
<p>From a braid or a group presentation it builds and simplifies the group, finds
representations into symmetric, alternating, metabelian and abelian groups, and computes the
twisted Alexander polynomials over prime fields exactly. It uses them for lower bounds on the
genus and the Thurston norm, for obstructions to fibering, and as invariants that tell knots
apart.</p>
<p>The same computations run without a window in <tt>quarvel-cli</tt>.</p>
)";

}  // namespace

std::vector<HelpTopic> NormHelpTopics() {
  return {{QStringLiteral("Overview"), QString::fromUtf8(kNormOverview)},
          {QStringLiteral("Description of groups"), QString::fromUtf8(kGroupsHelp)},
          {QStringLiteral("Representations"), QString::fromUtf8(kRepresentationsHelp)},
          {QStringLiteral("The math"), QString::fromUtf8(kMathHelp)},
          {QStringLiteral("Lists of knots"), QString::fromUtf8(kNormListsHelp)}};
}

std::vector<HelpTopic> IsotopyHelpTopics() {
  return {{QStringLiteral("Overview"), QString::fromUtf8(kIsotopyOverview)},
          {QStringLiteral("Lists of knots"), QString::fromUtf8(kIsotopyListsHelp)},
          {QStringLiteral("Group description"), QString::fromUtf8(kIsotopyGroupHelp)}};
}

QString AboutHtml() {
  return QString::fromUtf8(kAbout).arg(QStringLiteral(QUARVEL_VERSION));
}

QString NormModeDescription() {
  return QStringLiteral(
      "Searches representations of the group into finite groups automatically, one after the "
      "other, and computes the twisted Alexander polynomial of each. Their degrees give lower "
      "bounds on the Thurston norm (for a knot: on the genus) and can show that the knot or the "
      "manifold does not fiber over the circle.");
}

QString IsotopyModeDescription() {
  return QStringLiteral(
      "Finds all homomorphisms of the group to S_k (or A_k) up to conjugation and multiplies the "
      "twisted Alexander polynomials of all of them. The product is a knot invariant, and more "
      "generally an invariant of a manifold together with a homomorphism H_1(M) -> Z; it tells "
      "apart knots that the Alexander polynomial cannot.");
}

}  // namespace quarvel::ui
