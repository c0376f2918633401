#include "LogExplain.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "FrameLayouts.h"
#include "device/DeviceErrors.h"

namespace orn::ornfr {

namespace {

constexpr char kSentPrefix[] = "\t-> ";
constexpr char kReceivedPrefix[] = "\t<- ";
constexpr size_t kPrefixLength = 4;
constexpr size_t kStampLength = 24;  // "dd.mm.yyyy hh:mm:ss.mmm "
constexpr size_t kPasswordSize = 4;

bool StartsWith(const std::string& line, const char* prefix) {
  return line.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// Milliseconds of the day of a time-stamped line, or nothing for any other line.
std::optional<long long> StampMs(const std::string& line) {
  unsigned day, month, year, hour, minute, second, ms;
  char blank = 0;
  if (line.size() < kStampLength ||
      std::sscanf(line.c_str(), "%2u.%2u.%4u %2u:%2u:%2u.%3u%c", &day, &month, &year, &hour,
                  &minute, &second, &ms, &blank) != 8 ||
      blank != ' ')
    return std::nullopt;
  // Days counted roughly by month are enough to order calls of one log across midnight.
  const long long days = (long long)year * 372 + month * 31 + day;
  return ((days * 24 + hour) * 60 + minute) * 60000LL + second * 1000LL + ms;
}

void AppendHex(const std::string& row, std::vector<uint8_t>& bytes) {
  for (size_t at = kPrefixLength; at + 1 < row.size(); at += 3) {
    unsigned value = 0;
    if (std::sscanf(row.c_str() + at, "%2X", &value) != 1) break;
    bytes.push_back(uint8_t(value));
  }
}

std::string Request(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return "(empty)";
  char head[8];
  std::snprintf(head, sizeof head, "%02X ", bytes[0]);
  const FrameLayout* layout = FindFrameLayout(bytes[0]);
  if (layout == nullptr)
    return head + std::string("unknown command: ") +
           DescribeFields(nullptr, 0, bytes.data() + 1, bytes.size() - 1);
  const size_t skip = 1 + (layout->password ? kPasswordSize : 0);
  std::string text = head + std::string(layout->name);
  if (bytes.size() > skip) {
    text += ": " + DescribeFields(layout->request, layout->requestFields, bytes.data() + skip,
                                  bytes.size() - skip);
  }
  return text;
}

std::string Answer(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 2) return "(no error code: a broken answer)";
  char head[64];
  std::snprintf(head, sizeof head, "%02X error %02Xh ", bytes[0], bytes[1]);
  const FrameLayout* layout = FindFrameLayout(bytes[0]);
  std::string text = head + std::string(device::ErrorText(bytes[1]));
  if (bytes.size() > 2 && bytes[1] == 0) {
    text += "; " + (layout ? DescribeFields(layout->answer, layout->answerFields, bytes.data() + 2,
                                            bytes.size() - 2)
                           : DescribeFields(nullptr, 0, bytes.data() + 2, bytes.size() - 2));
  }
  return text;
}

// One call of the log: its time-stamped line and what followed until the next one.
struct Call {
  std::string stamp;
  std::optional<long long> ms;
  std::vector<std::string> lines;
  int exchanges = 0;
};

class Explainer {
 public:
  explicit Explainer(Environment& env) : env_(env) {}

  void Line(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const bool sent = StartsWith(line, kSentPrefix);
    const bool received = StartsWith(line, kReceivedPrefix);
    if (!sent) FlushRequest();
    if (!received) FlushAnswer();
    if (sent) {
      AppendHex(line, request_);
      requestOpen_ = true;
    } else if (received) {
      AppendHex(line, answer_);
      answerOpen_ = true;
    } else if (const auto ms = StampMs(line)) {
      FlushCall(ms);
      call_ = Call{line, ms, {}, 0};
    } else if (!line.empty()) {
      call_.lines.push_back(line);
    }
  }

  void End() {
    FlushRequest();
    FlushAnswer();
    FlushCall(std::nullopt);
  }

 private:
  void FlushRequest() {
    if (!requestOpen_) return;
    call_.lines.push_back(std::string("\t-> ") + Request(request_));
    ++call_.exchanges;
    request_.clear();
    requestOpen_ = false;
  }
  void FlushAnswer() {
    if (!answerOpen_) return;
    call_.lines.push_back(std::string("\t<- ") + Answer(answer_));
    answer_.clear();
    answerOpen_ = false;
  }
  void FlushCall(std::optional<long long> nextMs) {
    if (!call_.stamp.empty() || !call_.lines.empty()) {
      std::string head = call_.stamp;
      if (call_.ms && nextMs) {
        char time[96];
        std::snprintf(time, sizeof time, "  [%lld ms, %d exchange%s]", *nextMs - *call_.ms,
                      call_.exchanges, call_.exchanges == 1 ? "" : "s");
        head += time;
      }
      if (!head.empty()) env_.out << env_.consoleText(head) << "\n";
      for (const std::string& line : call_.lines) env_.out << env_.consoleText(line) << "\n";
    }
    call_ = Call{};
  }

  Environment& env_;
  Call call_;
  std::vector<uint8_t> request_;
  std::vector<uint8_t> answer_;
  bool requestOpen_ = false;
  bool answerOpen_ = false;
};

}  // namespace

void ExplainLog(std::istream& log, Environment& env) {
  Explainer explainer(env);
  std::string line;
  while (std::getline(log, line)) explainer.Line(line);
  explainer.End();
}

}  // namespace orn::ornfr
