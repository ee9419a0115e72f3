#pragma once
// The file a shard of a list run writes (--shard I/N) instead of rewriting the list: JSON Lines,
// first a header that names the shard, the mode, the list (by name and the hash of its text as the
// shard read it) and the settings, then one object per knot the shard computed with the knot's
// list line number and its new line:
//   {"type":"shard","schema":1,"shard":0,"shards":4,"mode":"isotopy","list":"list.txt",
//    "listHash":"<16 hexadecimal digits>","knots":30,"settings":"currentPrime = 13\n...",
//    "finished":true}
//   {"type":"knot","line":3,"text":"3_1            : degree = 4, ..."}
// The file is replaced atomically after every knot, so a shard that is stopped or killed leaves
// the knots it finished, and its rerun carries on from them.

#include <cstdint>
#include <map>
#include <string>

#include "cli/cli_options.h"

namespace quarvel::cli {

struct ShardHeader {
  ShardSpec shard;
  std::string mode;      // "norm" or "isotopy"
  std::string listName;  // the list's file name, without its folder
  std::string listHash;
  int64_t knots = 0;      // the list's knot lines
  std::string settings;   // every setting that decides a knot's result, as name = value lines
  bool finished = false;  // every knot of the shard is done (a stopped shard has more to do)

  bool SameRun(const ShardHeader& other) const {
    return mode == other.mode && listHash == other.listHash && knots == other.knots &&
           settings == other.settings && shard.count == other.shard.count;
  }
};

struct ShardFile {
  ShardHeader header;
  std::map<int64_t, std::string> lines;  // list line number -> the knot's new line
};

// "<folder>/<list>.shard-I-of-N.jsonl": beside the list, or in the output directory when given.
std::string ShardFilePath(const std::string& listPath, const ShardSpec& shard,
                          const std::string& outputDirectory);

// A 64-bit FNV-1a hash of the list's text, as 16 hexadecimal digits.
std::string ListTextHash(const std::string& text);

std::string ShardFileText(const ShardFile& shard);

// Reads the shard file at `path`; false with `reason` set when it cannot be read or is no shard
// file.
bool ReadShardFile(const std::string& path, ShardFile& shard, std::string& reason);

}  // namespace quarvel::cli
