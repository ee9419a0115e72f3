#include "cli/shard_file.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace quarvel::cli {
namespace {

constexpr int kSchema = 1;

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadHeader(const nlohmann::json& object, ShardHeader& header) {
  if (object.value("type", "") != "shard" || object.value("schema", 0) != kSchema) return false;
  header.shard = {object.at("shard").get<long>(), object.at("shards").get<long>()};
  header.mode = object.at("mode").get<std::string>();
  header.listName = object.at("list").get<std::string>();
  header.listHash = object.at("listHash").get<std::string>();
  header.knots = object.at("knots").get<int64_t>();
  header.settings = object.at("settings").get<std::string>();
  header.finished = object.at("finished").get<bool>();
  return header.shard.count >= 1 && header.shard.index >= 0 && header.shard.index < header.shard.count;
}

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) hex += {kDigits[c >> 4], kDigits[c & 15]};
  return hex;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

// A list line is text in the list's own encoding: UTF-8 goes in as a string, any other bytes as
// hexadecimal digits ("bytes"), so that the merge gives the line back byte for byte.
nlohmann::json KnotObject(int64_t line, const std::string& text) {
  nlohmann::json object = {{"type", "knot"}, {"line", line}, {"text", text}};
  try {
    (void)object.dump();
  } catch (const nlohmann::json::type_error&) {
    object.erase("text");
    object["bytes"] = Hex(text);
  }
  return object;
}

std::string KnotText(const nlohmann::json& object) {
  if (object.contains("bytes")) return FromHex(object.at("bytes").get<std::string>());
  return object.at("text").get<std::string>();
}

}  // namespace

std::string ShardFilePath(const std::string& listPath, const ShardSpec& shard,
                          const std::string& outputDirectory) {
  const size_t slash = listPath.find_last_of('/');
  const std::string folder = !outputDirectory.empty()     ? outputDirectory
                             : slash == std::string::npos ? ""
                                                          : listPath.substr(0, slash + 1);
  return folder + FileName(listPath) + ".shard-" + std::to_string(shard.index) + "-of-" +
         std::to_string(shard.count) + ".jsonl";
}

std::string ListTextHash(const std::string& text) {
  uint64_t hash = 14695981039346656037u;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211u;
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

std::string ShardFileText(const ShardFile& shard) {
  const ShardHeader& h = shard.header;
  const nlohmann::json header = {{"type", "shard"},         {"schema", kSchema}, {"shard", h.shard.index},
                                 {"shards", h.shard.count}, {"mode", h.mode},    {"list", h.listName},
                                 {"listHash", h.listHash},  {"knots", h.knots},  {"settings", h.settings},
                                 {"finished", h.finished}};
  std::string text = header.dump() + "\n";
  for (const auto& [line, content] : shard.lines) text += KnotObject(line, content).dump() + "\n";
  return text;
}

bool ReadShardFile(const std::string& path, ShardFile& shard, std::string& reason) {
  shard = ShardFile{};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    reason = "cannot read " + path;
    return false;
  }
  std::string line;
  bool header = false;
  try {
    while (std::getline(in, line)) {
      const nlohmann::json object = nlohmann::json::parse(line);
      if (!header) {
        header = ReadHeader(object, shard.header);
        if (!header) break;
        continue;
      }
      if (object.value("type", "") != "knot") throw std::runtime_error("not a knot object");
      shard.lines[object.at("line").get<int64_t>()] = KnotText(object);
    }
  } catch (const std::exception&) {
    reason = path + " is no shard file of quarvel-cli (or it is damaged)";
    return false;
  }
  if (!header) reason = path + " is no shard file of quarvel-cli";
  return header;
}

}  // namespace quarvel::cli
