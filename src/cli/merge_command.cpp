#include "cli/merge_command.h"

#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <vector>

#include "cli/shard_file.h"
#include "lists/isotopy_list.h"
#include "lists/knot_list.h"

namespace quarvel::cli {
namespace {

constexpr int kMerged = 0;
constexpr int kRefused = 1;

struct Refusal {
  std::string reason;
};

std::string ShardName(const ShardSpec& shard) {
  return "shard " + std::to_string(shard.index) + " of " + std::to_string(shard.count);
}

// Checks the shards against the list and each other; throws the reason to refuse them.
void CheckShards(const std::vector<std::string>& paths, const std::vector<ShardFile>& shards,
                 const std::string& listHash) {
  const ShardHeader& first = shards.front().header;
  std::map<long, std::string> given;
  for (size_t i = 0; i < shards.size(); ++i) {
    const ShardHeader& h = shards[i].header;
    if (h.listHash != listHash)
      throw Refusal{paths[i] + " was computed from another list, or from this list before it changed"};
    if (h.shard.count != first.shard.count)
      throw Refusal{paths[i] + " is " + ShardName(h.shard) + ", " + paths[0] + " " + ShardName(first.shard)};
    if (!h.SameRun(first)) throw Refusal{paths[i] + " was computed with other settings than " + paths[0]};
    if (auto [at, added] = given.emplace(h.shard.index, paths[i]); !added)
      throw Refusal{ShardName(h.shard) + " is given twice: " + at->second + " and " + paths[i]};
  }
  std::string missing;
  for (long index = 0; index < first.shard.count; ++index) {
    if (!given.contains(index)) missing += (missing.empty() ? "" : ", ") + std::to_string(index);
  }
  if (!missing.empty())
    throw Refusal{"shard " + missing + " of " + std::to_string(first.shard.count) + " is missing"};
}

// The list line numbers of the knots of each shard's own knots; throws for a line of another.
std::map<int64_t, std::string> ShardLines(const std::vector<std::string>& paths,
                                          const std::vector<ShardFile>& shards, const KnotList& list) {
  std::map<int64_t, int64_t> place;
  for (int64_t n = 1, p = 0; n <= list.Count(); ++n) {
    if (IsKnotLine(list.Line(n))) place[n] = p++;
  }
  std::map<int64_t, std::string> lines;
  for (size_t i = 0; i < shards.size(); ++i) {
    const ShardSpec& shard = shards[i].header.shard;
    for (const auto& [n, text] : shards[i].lines) {
      const auto at = place.find(n);
      if (at == place.end() || at->second % shard.count != shard.index)
        throw Refusal{paths[i] + " holds line " + std::to_string(n) + ", which is not a knot of " +
                      ShardName(shard)};
      lines[n] = text;
    }
  }
  return lines;
}

void PutLines(KnotList& list, const std::map<int64_t, std::string>& lines, bool isotopy) {
  for (const auto& [n, text] : lines) {
    if (isotopy && ListLineResults(text).find(kNotComputed) == std::string::npos) {
      ApplyIsotopyResult(list, n, text);
    } else {
      list.Line(n) = text;
    }
  }
}

}  // namespace

int RunMerge(const CliRequest& request, std::ostream& out, std::ostream& err) {
  const std::string& listPath = request.merged.front();
  const std::vector<std::string> paths(request.merged.begin() + 1, request.merged.end());
  try {
    std::ifstream in(listPath, std::ios::binary);
    if (!in) throw Refusal{"cannot read the list " + listPath};
    const std::string listText(std::istreambuf_iterator<char>(in), {});
    std::vector<ShardFile> shards(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
      std::string reason;
      if (!ReadShardFile(paths[i], shards[i], reason)) throw Refusal{reason};
    }
    CheckShards(paths, shards, ListTextHash(listText));
    KnotList list;
    FailureState failure;
    if (!ReadKnotList(listPath, list, failure)) throw Refusal{failure.errorMessage + ": " + listPath};
    const std::map<int64_t, std::string> lines = ShardLines(paths, shards, list);
    PutLines(list, lines, shards.front().header.mode == "isotopy");
    if (!RewriteKnotList(listPath, list, failure)) throw Refusal{failure.errorMessage + ": " + listPath};
    for (size_t i = 0; i < shards.size(); ++i) {
      if (!shards[i].header.finished)
        err << "quarvel-cli merge: " << paths[i] << " is not finished; its knots not done stay to compute\n";
    }
    out << "merged " << shards.size() << " shard files, " << lines.size() << " knot lines, into " << listPath
        << '\n';
    return kMerged;
  } catch (const Refusal& refusal) {
    err << "quarvel-cli merge: " << refusal.reason << "; the list is left as it was\n";
    return kRefused;
  }
}

}  // namespace quarvel::cli
