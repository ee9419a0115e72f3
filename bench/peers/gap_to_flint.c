/* Converts the GAP program written by `quarvel-cli norm --matrix gap` into the matrix form that
 * flint_det reads: a line "rows columns p", then one entry per line, row by row, as FLINT's
 * nmod_poly text "length p c0 c1 ..." (length 0 for a zero entry).
 *
 * The GAP program holds the prime in "GF(p)" and the matrix between "M:=[" and "];", one row per
 * line, each entry "Zero(R)" or "One(R)*( terms )" with terms such as "12", "3*t", "t^4".
 *
 * Usage: gap_to_flint quarvel_matrix_gap.txt > matrix.flint
 */
#include <ctype.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { kMaxExponent = 10000 };

static void Fail(const char* what) {
  fprintf(stderr, "gap_to_flint: %s\n", what);
  exit(1);
}

static char* ReadAll(const char* path) {
  FILE* file = fopen(path, "rb");
  if (!file) Fail("cannot open the GAP file");
  size_t capacity = 1 << 20, length = 0;
  char* text = malloc(capacity);
  if (!text) Fail("out of memory");
  size_t got;
  while ((got = fread(text + length, 1, capacity - length - 1, file)) > 0) {
    length += got;
    if (length + 1 == capacity) {
      capacity *= 2;
      text = realloc(text, capacity);
      if (!text) Fail("out of memory");
    }
  }
  fclose(file);
  text[length] = '\0';
  return text;
}

static long ReadNumber(const char** at) {
  if (!isdigit((unsigned char)**at)) Fail("number expected");
  long value = 0;
  while (isdigit((unsigned char)**at)) {
    value = value * 10 + (**at - '0');
    if (value > 1000000000L) Fail("number too large");
    ++*at;
  }
  return value;
}

static void SkipBlanks(const char** at) {
  while (**at == ' ' || **at == '\t') ++*at;
}

/* Parses "( terms )" after "One(R)*" into coefficients mod p; returns the length (degree + 1). */
static long ParseTerms(const char** at, long p, long* coefficients) {
  long length = 0;
  if (**at != '(') Fail("'(' expected");
  ++*at;
  int sign = 1;
  for (;;) {
    SkipBlanks(at);
    if (**at == ')') {
      ++*at;
      break;
    }
    if (**at == '+' || **at == '-') {
      sign = **at == '-' ? -1 : 1;
      ++*at;
      continue;
    }
    long coefficient = 1, exponent = 0;
    if (isdigit((unsigned char)**at)) {
      coefficient = ReadNumber(at);
      if (**at == '*') ++*at;
    }
    if (**at == 't') {
      ++*at;
      exponent = 1;
      if (**at == '^') {
        ++*at;
        exponent = ReadNumber(at);
      }
    }
    if (exponent > kMaxExponent) Fail("exponent above 10000");
    coefficients[exponent] = ((coefficients[exponent] + sign * (coefficient % p)) % p + p) % p;
    if (exponent + 1 > length) length = exponent + 1;
    sign = 1;
  }
  while (length > 0 && coefficients[length - 1] == 0) --length;
  return length;
}

int main(int argc, char** argv) {
  if (argc != 2) Fail("usage: gap_to_flint quarvel_matrix_gap.txt");
  char* text = ReadAll(argv[1]);
  const char* field = strstr(text, "GF(");
  if (!field) Fail("no GF(p) in the file");
  field += 3;
  const long p = ReadNumber(&field);
  const char* at = strstr(text, "\nM:=[");
  if (!at) Fail("no matrix M in the file");
  at += 5;

  /* First pass counts rows and columns; the second writes. */
  long rows = 0, columns = 0;
  for (const char* line = strchr(at, '\n'); line && line[1] == '['; line = strchr(line + 1, '\n')) {
    long entries = 1;
    for (const char* c = line + 1; *c && *c != '\n'; ++c) entries += *c == ',' && c[-1] != ']';
    if (rows == 0) columns = entries;
    if (entries != columns) Fail("rows of different lengths");
    ++rows;
  }
  if (rows == 0) Fail("empty matrix");
  printf("%ld %ld %ld\n", rows, columns, p);

  long* coefficients = calloc(kMaxExponent + 1, sizeof(long));
  if (!coefficients) Fail("out of memory");
  at = strchr(at, '\n') + 1;
  for (long r = 0; r < rows; ++r) {
    if (*at != '[') Fail("row expected");
    ++at;
    for (long c = 0; c < columns; ++c) {
      SkipBlanks(&at);
      if (strncmp(at, "Zero(R)", 7) == 0) {
        at += 7;
        printf("0 %ld\n", p);
      } else if (strncmp(at, "One(R)*", 7) == 0) {
        at += 7;
        memset(coefficients, 0, (kMaxExponent + 1) * sizeof(long));
        const long length = ParseTerms(&at, p, coefficients);
        printf("%ld %ld", length, p);
        for (long e = 0; e < length; ++e) printf(" %ld", coefficients[e]);
        printf("\n");
      } else {
        Fail("entry expected");
      }
      SkipBlanks(&at);
      if (c + 1 < columns) {
        if (*at != ',') Fail("',' expected");
        ++at;
      }
    }
    if (*at != ']') Fail("']' expected");
    at = strchr(at, '\n');
    if (!at) Fail("unexpected end of file");
    ++at;
  }
  free(coefficients);
  free(text);
  return 0;
}
