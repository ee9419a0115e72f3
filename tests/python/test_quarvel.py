"""The Python module against what quarvel-cli prints for the same runs."""
import re
import signal
import subprocess
import sys
import time

import pytest

import quarvel


def panel(snapshot, heading):
    """The lines of one panel of a quarvel-cli snapshot."""
    lines = snapshot.splitlines()
    start = lines.index(f"--- {heading} ---") + 1
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("--- ")), len(lines))
    return lines[start:end]


def cli_product(snapshot):
    """The product of panel 3 in the module's text form (a product short enough to fit one line)."""
    return panel(snapshot, "isotopy panel 3")[0].split("equals:")[1].strip() + " mod 13"


def product_hash(product):
    """The hash a knot list's result line carries: FNV-1a of the program's product text."""
    value = 14695981039346656037
    for byte in (" " + str(product)).encode():
        value = ((value ^ byte) * 1099511628211) % 2**64
    return f"{value:016x}"


def list_results(cli, tmp_path, knots, group):
    """Runs quarvel-cli isotopy over a list of (name, braid); per name its number of classes,
    product hash and whether it is marked Repeated!."""
    listing = tmp_path / "knots.txt"
    listing.write_text("".join(f"{name} {braid}\n" for name, braid in knots) + "end\n")
    cli("isotopy", "--file", str(listing), "--group", group, "--save", "none", cwd=tmp_path)
    results = {}
    for line in listing.read_text().split("end")[0].splitlines():
        classes = re.search(r"number of reps: (\d+)", line)
        results[line.split()[0]] = (int(classes.group(1)), line.split("product hash ")[1], "Repeated!" in line)
    return results


def cli_classes(snapshot):
    """The images of each class on panel 2, one dict letter -> one-line text per class."""
    classes = []
    for letter, image in re.findall(r"(\w) -> \((\d+)", "\n".join(panel(snapshot, "isotopy panel 2"))):
        if letter == "a":
            classes.append({})
        classes[-1][letter] = image
    return classes


def one_line(images):
    return {letter: "".join(map(str, image)) for letter, image in images.items()}


def isotopy_snapshot(cli, knot, group, tmp_path):
    return cli("isotopy", "--knot", knot, "--group", group, "--save", "none", cwd=tmp_path)


class TestTrefoil:
    def test_alexander_polynomials(self):
        trefoil = quarvel.from_knot("3_1")
        assert quarvel.alexander_polynomial(trefoil) == quarvel.Polynomial([1, 12, 1], 0, 13)
        assert quarvel.alexander_polynomial(trefoil, field=5).coefficients == [1, 4, 1]
        assert [abs(c) for c in quarvel.alexander_polynomial_over_z(trefoil).coefficients] == [1, 1, 1]

    def test_s3_twisted_polynomial_as_the_norm_mode_shows_it(self, cli, tmp_path):
        snapshot = cli("norm", "--knot", "3_1", "--rep", "sk-v", "--size", "3", "--cycles", "1", "--save", "none",
                       cwd=tmp_path)
        lines = snapshot.splitlines()
        shown = lines[lines.index("Twisted Alexander polynomial in F_13[t]") + 1].strip()
        polynomial, images = quarvel.twisted_polynomial(quarvel.from_knot("3_1"), rep="sk-v", size=3, field=13)
        assert str(polynomial) == shown + " mod 13" == "1+12t^2 mod 13"
        assert sorted(images) == ["a", "b", "c"]
        # The same homomorphism given by its images, on V and on Z^3.
        again, _ = quarvel.twisted_polynomial(quarvel.from_knot("3_1"), images=images, reduced=True)
        assert again == polynomial
        on_z3, _ = quarvel.twisted_polynomial(quarvel.from_knot("3_1"), images=images)
        assert on_z3.coefficients == [1, 12, 0, 1, 12]

    def test_s3_invariant_as_the_isotopy_mode_shows_it(self, cli, tmp_path):
        snapshot = isotopy_snapshot(cli, "3_1", "s3", tmp_path)
        invariant = quarvel.isotopy_invariant("3_1", group="s3")
        assert [one_line(c.images) for c in invariant.classes] == cli_classes(snapshot)
        assert str(invariant.product) == cli_product(snapshot) == "1+12t+t^3+12t^4 mod 13"
        assert str(invariant.alexander) == "1+12t+t^2 mod 13"

    def test_norm_evaluation_bounds_the_genus(self):
        evaluation = quarvel.evaluate_norm(quarvel.from_knot("3_1"), rep="sk-v", size=3)
        assert (evaluation.degree, evaluation.zeroth_degree) == (2, 0)
        assert evaluation.genus_bound == 1.0
        assert not evaluation.not_fibered


def test_conway_knot_has_46_classes_in_s7(cli, tmp_path):
    snapshot = isotopy_snapshot(cli, "11_401", "s7", tmp_path)
    assert "Number of non-abelian homomorphisms pi -> S_7 up to conjugation by element in S_7: 46" in snapshot
    invariant = quarvel.isotopy_invariant("11_401", group="s7")
    assert invariant.class_count == 46
    assert [one_line(c.images) for c in invariant.classes] == cli_classes(snapshot)
    braid = quarvel.from_knot("11_401").braid
    assert list_results(cli, tmp_path, [("11_401", braid)], "s7") == {
        "11_401": (46, product_hash(invariant.product), False)}
    # Its Alexander polynomial is 1, over every field and over Z.
    conway = quarvel.from_knot("11_401")
    assert quarvel.alexander_polynomial(conway).coefficients == [1]
    assert quarvel.alexander_polynomial_over_z(conway).coefficients in ([1], [-1])


def test_s5_invariant_separates_a_mutant_pair_as_the_list_run_does(cli, tmp_path):
    pair = next(group for group in quarvel.mutant_groups() if [name for name, _ in group] == ["12_1979", "12_1980"])
    shown = list_results(cli, tmp_path, pair, "s5")
    invariants = [quarvel.isotopy_invariant(quarvel.from_braid(braid), group="s5") for _, braid in pair]
    assert invariants[0].class_count == invariants[1].class_count == 6
    assert invariants[0].alexander == invariants[1].alexander
    assert invariants[0].key != invariants[1].key
    assert shown == {name: (6, product_hash(invariant.product), False)
                     for (name, _), invariant in zip(pair, invariants)}


class TestPresentations:
    def test_braid_as_list_and_as_text_agree(self):
        as_list = quarvel.from_braid([1, -2, 1, -2])
        as_text = quarvel.from_braid("{1,-2,1,-2}")
        assert as_list.relators == as_text.relators and as_list.braid == "{1,-2,1,-2}"
        assert quarvel.alexander_polynomial_over_z(as_list).coefficients in ([1, -3, 1], [-1, 3, -1])

    def test_presentation_text_gives_the_braids_group(self):
        text = quarvel.from_text("-b-a+c+a\n-a-c+b+c\n")
        assert text.braid is None and text.generators == ["a", "b", "c"]
        assert quarvel.alexander_polynomial(text) == quarvel.alexander_polynomial(quarvel.from_braid([1, 1, 1]))
        assert quarvel.from_text("{1,1,1}\n").braid == "{1,1,1}"

    def test_simplification_keeps_the_invariant(self):
        knot = quarvel.from_knot("8_20")
        simplified = quarvel.simplify(knot, effort=50)
        assert simplified.simplified and len(simplified.generators) < len(knot.generators)
        assert len(simplified.substitutions) == len(knot.generators) - len(simplified.generators)
        plain = quarvel.isotopy_invariant(quarvel.simplify(knot, effort=0), group="a5")
        assert quarvel.isotopy_invariant(simplified, group="a5").key == plain.key

    def test_homomorphisms_are_the_classes_of_the_invariant(self):
        knot = quarvel.from_knot("5_2")
        homomorphisms = quarvel.homomorphisms(knot, group="s4")
        assert homomorphisms == [c.images for c in quarvel.isotopy_invariant(knot, group="s4").classes]
        assert len(quarvel.homomorphisms(knot, group="s4", all_homomorphisms=True)) > len(homomorphisms)


class TestErrors:
    @pytest.mark.parametrize("braid", ["{1,x}", [1, 0], "{1,,2"])
    def test_bad_braid_raises_the_programs_message(self, cli, braid):
        with pytest.raises(quarvel.Error, match="^Not a valid braid description$"):
            quarvel.from_braid(braid)
        if isinstance(braid, str):
            assert "ERROR: Not a valid braid description" in cli("show", "--braid", braid)

    def test_too_many_strands(self):
        with pytest.raises(quarvel.Error, match="Braid description has to many strands"):
            quarvel.from_braid([31])

    def test_unknown_knot(self):
        with pytest.raises(quarvel.Error, match="No built-in knot is named '99_1'"):
            quarvel.from_knot("99_1")
        with pytest.raises(ValueError):
            quarvel.isotopy_invariant("99_1")

    def test_bad_arguments(self):
        trefoil = quarvel.from_knot("3_1")
        with pytest.raises(quarvel.Error, match="Not an isotopy group: s9"):
            quarvel.homomorphisms(trefoil, group="s9")
        with pytest.raises(quarvel.Error, match="Not a prime field: 12"):
            quarvel.alexander_polynomial(trefoil, field=12)
        with pytest.raises(quarvel.Error, match="do not satisfy the relators"):
            quarvel.twisted_polynomial(trefoil, images={"a": (1, 2, 3), "b": (2, 1, 3), "c": (2, 3, 1)})
        with pytest.raises(quarvel.Error, match="No nontrivial representation into S_4"):
            quarvel.evaluate_norm(quarvel.from_knot("5_2"), size=4)
        with pytest.raises(quarvel.Error, match="No image for generator c"):
            quarvel.twisted_polynomial(trefoil, images={"a": (1, 2, 3), "b": (2, 1, 3)})


def test_every_function_is_documented():
    for name in dir(quarvel):
        if not name.startswith("_"):
            assert getattr(quarvel, name).__doc__, name
    assert "isotopy_invariant" in quarvel.__doc__


def test_ctrl_c_interrupts_a_long_call():
    """SIGINT during a computation raises KeyboardInterrupt soon after, not when the loop ends."""
    script = (
        "import signal, sys, time, quarvel\n"
        "signal.signal(signal.SIGINT, signal.default_int_handler)\n"
        "group = quarvel.from_text('-a-b+a+b-c-d+c+d\\n-a-c+a+c-b-d+b+d\\n')\n"
        "print('started', flush=True)\n"
        "try:\n"
        "    for _ in range(50):\n"
        "        quarvel.isotopy_invariant(group, group='s7', all_homomorphisms=True, torsion=True)\n"
        "    print('finished')\n"
        "except KeyboardInterrupt:\n"
        "    print('interrupted')\n")
    process = subprocess.Popen([sys.executable, "-c", script], stdout=subprocess.PIPE, text=True)
    assert process.stdout.readline() == "started\n"
    time.sleep(1)
    started = time.monotonic()
    process.send_signal(signal.SIGINT)
    out, _ = process.communicate(timeout=60)
    assert out == "interrupted\n"
    assert time.monotonic() - started < 5


def test_pd_dt_and_table_names_give_the_braids_knots():
    trefoil = quarvel.alexander_polynomial(quarvel.from_braid("{1,1,1}"))
    assert quarvel.alexander_polynomial(quarvel.from_pd([(1, 5, 2, 4), (3, 1, 4, 6), (5, 3, 6, 2)])) == trefoil
    assert quarvel.alexander_polynomial(quarvel.from_pd("PD[X[1,5,2,4], X[3,1,4,6], X[5,3,6,2]]")) == trefoil
    assert quarvel.alexander_polynomial(quarvel.from_dt([4, 6, 2])) == trefoil
    assert quarvel.from_knot("K11n34").braid == quarvel.from_knot("11_401").braid
    with pytest.raises(quarvel.Error, match="crossing 2 has 3 labels"):
        quarvel.from_pd("[[1,5,2,4],[3,1,4],[5,3,6,2]]")
