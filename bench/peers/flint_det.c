/* Times FLINT's nmod_poly_mat_det on the leading square block of a matrix written by
 * gap_to_flint. The determinant is taken again and again until min_seconds of processor time have
 * passed (at least once); prints the mean processor and wall seconds per determinant and the
 * determinant's degree.
 *
 * Usage: flint_det matrix.flint [min_seconds]
 */
#define _POSIX_C_SOURCE 199309L
#include <flint/nmod_poly.h>
#include <flint/nmod_poly_mat.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(clockid_t clock) {
  struct timespec ts;
  clock_gettime(clock, &ts);
  return (double)ts.tv_sec + 1e-9 * (double)ts.tv_nsec;
}

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    fprintf(stderr, "usage: flint_det matrix.flint [min_seconds]\n");
    return 1;
  }
  const double minSeconds = argc == 3 ? atof(argv[2]) : 0.2;
  FILE* file = fopen(argv[1], "r");
  if (!file) {
    fprintf(stderr, "flint_det: cannot open %s\n", argv[1]);
    return 1;
  }
  long rows, columns;
  ulong p;
  if (fscanf(file, "%ld %ld %lu", &rows, &columns, &p) != 3 || rows < 1 || columns < 1) {
    fprintf(stderr, "flint_det: bad header\n");
    return 1;
  }
  const long n = rows < columns ? rows : columns;
  nmod_poly_mat_t block;
  nmod_poly_mat_init(block, n, n, p);
  nmod_poly_t entry;
  nmod_poly_init(entry, p);
  for (long r = 0; r < rows; ++r) {
    for (long c = 0; c < columns; ++c) {
      if (nmod_poly_fread(file, entry) <= 0) {
        fprintf(stderr, "flint_det: bad entry (%ld, %ld)\n", r + 1, c + 1);
        return 1;
      }
      if (r < n && c < n) nmod_poly_set(nmod_poly_mat_entry(block, r, c), entry);
    }
  }
  fclose(file);

  nmod_poly_t det;
  nmod_poly_init(det, p);
  long calls = 0;
  const double cpuStart = Now(CLOCK_PROCESS_CPUTIME_ID);
  const double wallStart = Now(CLOCK_MONOTONIC);
  double cpu;
  do {
    nmod_poly_mat_det(det, block);
    ++calls;
    cpu = Now(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
  } while (cpu < minSeconds);
  const double wall = Now(CLOCK_MONOTONIC) - wallStart;
  printf("%.9f %.9f degree=%ld\n", cpu / (double)calls, wall / (double)calls, (long)nmod_poly_degree(det));

  nmod_poly_clear(det);
  nmod_poly_clear(entry);
  nmod_poly_mat_clear(block);
  return 0;
}
