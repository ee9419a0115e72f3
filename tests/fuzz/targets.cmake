# The fuzz targets, one a line: target NAME is NAME_fuzz.cpp, seeded from corpus/NAME/ (with the
# dictionary NAME.dict when there is one). The fuzz build makes fuzz_NAME of each; the test build
# replays each corpus as the test NAME_corpus_replay.
set(QUARVEL_FUZZ_TARGETS
  braid
  presentation_file
  norm_list
  isotopy_list
)
