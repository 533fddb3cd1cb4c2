// Fuzz target for target resolution over the recording fake of the platform,
// whose file system knows only the answers the input gives. The input is one
// byte of switches (code page, clock, today's and yesterday's answers), four
// bytes of date, then the selector and the pattern, each ended by a NUL byte.
// The paths asked of the file system must be exactly the targets a reference
// assembles, with the leading quote rule applied, at most two and in order;
// the outcome and the one message must follow from the answers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "datefile/date_key.h"
#include "datefile/resolve.h"
#include "platform/fake_platform.h"

namespace {

using hibiopen::Message;
using hibiopen::Resolution;
using hibiopen::platform::FileStatus;

void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "resolution property violated: %s\n", property);
    std::abort();
  }
}

// Reads a text up to a NUL byte or the end of the input.
std::string take_text(const std::uint8_t*& data, std::size_t& size) {
  const char* begin = reinterpret_cast<const char*>(data);
  const std::size_t length = strnlen(begin, size);
  const std::size_t used = length < size ? length + 1 : length;
  data += used;
  size -= used;
  return std::string(begin, length);
}

// A copy of text on the heap, exactly its size and a terminator.
std::unique_ptr<char[]> exact_copy(const std::string& text) {
  std::unique_ptr<char[]> copy(new char[text.size() + 1]);
  std::memcpy(copy.get(), text.c_str(), text.size() + 1);
  return copy;
}

FileStatus answer_from(unsigned bits) {
  return bits == 0 ? FileStatus::NotFound : bits == 1 ? FileStatus::Error : FileStatus::Found;
}

bool is_cp932_lead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Whether the path never reaches the file system: a '?' or '*' character
// (the second byte of a double-byte character is not one), or a bare drive.
bool answered_without_asking(const std::string& path, bool shift_jis) {
  if (path.size() == 2 && path[1] == ':') {
    return true;
  }
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (shift_jis && is_cp932_lead(static_cast<unsigned char>(path[i]))) {
      ++i;
    } else if (path[i] == '?' || path[i] == '*') {
      return true;
    }
  }
  return false;
}

std::string test_path_of(const std::string& target) {
  if (!target.empty() && target[0] == '"') {
    return target.size() >= 2 ? target.substr(1, target.size() - 2) : std::string();
  }
  return target;
}

struct Expected {
  Resolution outcome = Resolution::Stop;
  Message message = Message::NotFound;
  std::vector<std::string> queried;
  std::string target;
  std::string test_path;
};

// What resolution must do, from the rules alone.
Expected expect(const std::string& selector, const std::string& pattern,
                const hibiopen::fake::State& state) {
  Expected expected;
  const std::size_t star = pattern.find('*');
  if (star == std::string::npos) {
    expected.outcome = Resolution::NoPlaceholder;
    return expected;
  }
  expected.message = Message::SearchError;
  if (!state.clock_works) {
    return expected;
  }
  for (const hibiopen::Day day : {hibiopen::Day::Today, hibiopen::Day::Yesterday}) {
    char date_text[hibiopen::kDateTextSize];
    if (!hibiopen::make_date_text(state.today, day, date_text)) {
      expected.message = Message::SearchError;
      return expected;
    }
    std::string key;
    for (const char digit : selector) {
      if (digit < '1' || digit > '8') {
        expected.message = Message::BadSelector;
        return expected;
      }
      key += date_text[digit - '1'];
    }
    expected.target = pattern.substr(0, star) + key + pattern.substr(star + 1);
    expected.test_path = test_path_of(expected.target);
    FileStatus status = FileStatus::NotFound;
    if (!answered_without_asking(expected.test_path, state.shift_jis)) {
      expected.queried.push_back(expected.test_path);
      const auto answer = state.answers.find(expected.test_path);
      status = answer != state.answers.end() ? answer->second : FileStatus::NotFound;
    }
    if (status == FileStatus::Found) {
      expected.outcome = Resolution::Found;
      return expected;
    }
    if (status == FileStatus::Error) {
      expected.message = Message::SearchError;
      return expected;
    }
  }
  expected.message = Message::NotFound;
  return expected;
}

// The test paths of today's and yesterday's pass, for the answers to key on.
std::vector<std::string> candidate_paths(const std::string& selector, const std::string& pattern,
                                         const hibiopen::platform::CivilDate& today) {
  std::vector<std::string> paths;
  const std::size_t star = pattern.find('*');
  if (star == std::string::npos) {
    return paths;
  }
  for (const hibiopen::Day day : {hibiopen::Day::Today, hibiopen::Day::Yesterday}) {
    char date_text[hibiopen::kDateTextSize];
    if (!hibiopen::make_date_text(today, day, date_text)) {
      return paths;
    }
    std::string key;
    for (const char digit : selector) {
      key += digit >= '1' && digit <= '8' ? date_text[digit - '1'] : '?';
    }
    paths.push_back(test_path_of(pattern.substr(0, star) + key + pattern.substr(star + 1)));
  }
  return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) {
    return 0;
  }
  hibiopen::fake::reset();
  hibiopen::fake::State& state = hibiopen::fake::state();
  state.real_file_system = false;
  const unsigned switches = data[0];
  state.shift_jis = (switches & 0x01) != 0;
  state.clock_works = (switches & 0x02) == 0;
  state.today.year = ((data[1] << 8) | data[2]) % 10002 - 1;
  state.today.month = data[3] % 12 + 1;
  state.today.day = data[4] % 28 + 1;
  data += 5;
  size -= 5;
  const std::string selector = take_text(data, size);
  const std::string pattern = take_text(data, size);

  // Today's answer, then yesterday's unless both passes test the same path.
  const std::vector<std::string> paths = candidate_paths(selector, pattern, state.today);
  for (std::size_t i = 0; i < paths.size(); ++i) {
    state.answers.emplace(paths[i], answer_from((switches >> (2 + 2 * i)) & 0x03));
  }
  const Expected expected = expect(selector, pattern, state);

  // Working texts of exactly the size the rules promise: the key as long as
  // the selector, the target and the test path as long as the pattern less
  // its '*' plus the key.
  const std::unique_ptr<char[]> selector_text = exact_copy(selector);
  const std::unique_ptr<char[]> pattern_text = exact_copy(pattern);
  const std::size_t target_size = selector.size() + (pattern.empty() ? 1 : pattern.size());
  const std::unique_ptr<char[]> key(new char[selector.size() + 1]);
  const std::unique_ptr<char[]> target(new char[target_size]);
  const std::unique_ptr<char[]> test_path(new char[target_size]);
  std::memset(target.get(), 0x7F, target_size);

  const Resolution outcome =
      hibiopen::resolve_target(selector_text.get(), pattern_text.get(),
                               hibiopen::ResolveTexts{key.get(), target.get(), test_path.get()});

  check(outcome == expected.outcome, "the outcome follows from the answers");
  check(state.queried.size() <= 2, "at most two paths are tested");
  check(state.queried == expected.queried,
        "the tested paths are the assembled targets less their quotes, in order");
  if (outcome == Resolution::Stop) {
    check(state.messages.size() == 1 &&
              state.messages[0].text == hibiopen::message_entry(expected.message).text,
          "a stop shows the one message that explains it");
  } else {
    check(state.messages.empty(), "no message unless the run stops");
  }
  if (outcome == Resolution::Found) {
    check(target.get() == expected.target, "Found hands over the target of the pass that found it");
    check(test_path.get() == expected.test_path, "the test path is that target's");
  }
  if (outcome == Resolution::NoPlaceholder) {
    check(state.clock_reads == 0, "without a placeholder the clock is not read");
    for (std::size_t i = 0; i < target_size; ++i) {
      check(target[i] == 0x7F, "without a placeholder no target is assembled");
    }
  }
  return 0;
}
