#include "group/presentation_file.h"

#include <optional>

#include "group/diagram_text.h"

namespace quarvel {
namespace {

constexpr int kMaxEmptyLines = 9;
constexpr int kFormatTwoLines = 8;
constexpr size_t kMaxPhiLineLength = 3;
constexpr size_t kMinHeaderLength = 4;
constexpr unsigned char kLastGeneratorByte = 0x94;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kFormatTwoExample =
    "Can not read the relations, they have to be of the form \"x_{3} x_{2} x_{3}^{-1} x_{1}^{-1}\"";

bool StartsWith(const std::string& line, std::string_view prefix) {
  return line.starts_with(prefix);
}

bool IsFormatTwoLine(const std::string& line) {
  return StartsWith(line, "x_") || StartsWith(line, " x_");
}

bool IsSigned(const std::string& line) {
  return !line.empty() && (line[0] == '+' || line[0] == '-');
}

bool Contains(const std::string& line, char c) {
  return line.find(c) != std::string::npos;
}

// A presentation being read. The first failure is the one reported; reading goes on after it.
struct Reading {
  FilePresentation read;
  std::optional<std::string> failure;

  Reading() {
    read.phi.fill(1);
    read.phi[0] = 0;
  }
  void Fail(const char* message) {
    if (!failure) failure = message;
  }
  // Stores the next relator unless the table is full.
  bool AddRelator(Word word) {
    if (read.relators.size() == kMaxRelators) {
      Fail("Too many relators");
      return false;
    }
    read.relators.push_back(std::move(word));
    return true;
  }
  Result<FilePresentation> Outcome() && {
    if (failure) return Failure{*failure};
    return std::move(read);
  }
};

// Upper-case letters become the generator bytes 0x7B..0x94; nothing else is converted.
Word FormatOneRelator(std::string line, Reading& reading) {
  for (char& c : line) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(GeneratorByte(c - 'A' + 27));
    if (static_cast<unsigned char>(c) > kLastGeneratorByte) reading.Fail("Too many generators");
  }
  return line;
}

bool ParseInteger(std::string_view text, int32_t& value) {
  size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    magnitude = magnitude * 10 + (text[i] - '0');
  }
  value = static_cast<int32_t>(text[0] == '-' ? -magnitude : magnitude);
  return true;
}

// "b-1" sets phi(b) = -1, "C2" sets phi of generator 29. Anything else leaves phi as it is.
void ApplyPhiLine(const std::string& line, std::array<int32_t, kMaxGenerators + 1>& phi) {
  if (line.empty()) return;
  char letter = line[0];
  int generator = 0;
  if (letter >= 'a' && letter <= 'z') generator = letter - 0x60;
  if (letter >= 'A' && letter <= 'Z') generator = letter - 0x40 + 26;
  int32_t value = 0;
  if (generator != 0 && ParseInteger(std::string_view(line).substr(1), value)) phi[generator] = value;
}

// The relator section of format I; returns the line that starts the phi section (false: none).
bool ReadFormatOneRelators(std::istream& in, Reading& reading, std::string& phiStart) {
  std::string line;
  while (ReadFileLine(in, line)) {
    if (line.empty() && !ReadFileLine(in, line)) return false;
    if (IsSigned(line)) {
      if (!reading.AddRelator(FormatOneRelator(line, reading))) return false;
      continue;
    }
    if (StartsWith(line, "#")) continue;
    if (line.size() < kMinHeaderLength || Contains(line, '(')) {
      phiStart = line;
      return true;
    }
  }
  return false;
}

// The generator number after "_" at `pos`, with its optional braces; `pos` ends after it.
void ReadFormatTwoSyllable(const std::string& line, size_t& pos, Word& word, Reading& reading) {
  if (pos < line.size() && line[pos] == '{') ++pos;
  size_t digitsStart = pos;
  int64_t number = 0;
  while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
    number = std::min<int64_t>(number * 10 + (line[pos] - '0'), kMaxGenerators + 1);
    ++pos;
  }
  if (pos < line.size() && line[pos] == '}') ++pos;
  if (pos == digitsStart || number == 0) return reading.Fail(kFormatTwoExample);
  if (number > kMaxGenerators) return reading.Fail("Too many generators");
  std::string_view rest = std::string_view(line).substr(pos);
  bool inverse = rest.starts_with("^-1") || rest.starts_with("^{-1}");
  word += inverse ? '-' : '+';
  word += static_cast<char>(GeneratorByte(number));
}

Word FormatTwoRelator(const std::string& line, Reading& reading) {
  Word word;
  for (size_t pos = 0; pos < line.size();) {
    if (line[pos++] == '_') ReadFormatTwoSyllable(line, pos, word, reading);
  }
  return word;
}

}  // namespace

bool ReadFileLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
  while (!line.empty() && static_cast<unsigned char>(line.back()) < 32) line.pop_back();
  return true;
}

PreScan PreScanPresentation(std::istream& in) {
  PreScan scan;
  std::string line;
  int emptyLines = 0;
  while (ReadFileLine(in, line)) {
    if (line.empty()) {
      if (++emptyLines > kMaxEmptyLines) return scan;
      continue;
    }
    // A braid, or a PD or DT code.
    if (StartsWith(line, "{") || FormOfDiagramText(line) != DiagramForm::braid) {
      scan.kind = PreScan::braid;
      scan.braidText = line;
      return scan;
    }
    if (IsFormatTwoLine(line) || (IsSigned(line) && line.size() > 2)) {
      scan.kind = PreScan::presentation;
      return scan;
    }
  }
  return scan;
}

bool IsFormatTwo(std::istream& in) {
  std::string line;
  for (int i = 0; i < kFormatTwoLines && ReadFileLine(in, line); ++i) {
    if (IsFormatTwoLine(line)) return true;
  }
  return false;
}

Result<FilePresentation> ReadFormatOne(std::istream& in) {
  Reading reading;
  std::string line;
  if (!ReadFormatOneRelators(in, reading, line)) return std::move(reading).Outcome();
  do {
    if (line.empty()) break;
    if (line.size() > kMaxPhiLineLength && !Contains(line, '(')) break;
    if (line.size() <= kMaxPhiLineLength) ApplyPhiLine(line, reading.read.phi);
  } while (ReadFileLine(in, line));
  return std::move(reading).Outcome();
}

Result<FilePresentation> ReadFormatTwo(std::istream& in) {
  Reading reading;
  std::string line;
  bool found = false;
  while (!found && ReadFileLine(in, line)) found = IsFormatTwoLine(line);
  for (; found && !line.empty(); found = ReadFileLine(in, line)) {
    if (!reading.AddRelator(FormatTwoRelator(line, reading))) break;
  }
  return std::move(reading).Outcome();
}

Result<FilePresentation> ReadPresentation(std::istream& in) {
  bool formatTwo = IsFormatTwo(in);
  in.clear();
  in.seekg(0);
  return formatTwo ? ReadFormatTwo(in) : ReadFormatOne(in);
}

}  // namespace quarvel
