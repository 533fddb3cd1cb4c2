// Fuzz target for the launch request over the recording fake of the platform.
// The input, up to its first NUL byte, is the command tail; the target is made
// from its last token as resolution makes it, the first '*' replaced by a key
// as long as the selector (or the pattern itself when it has none). The one
// request must carry the file and parameters that a reference builds from the
// fully split token list, and the parameter text must fit a buffer of the
// tail's size and a terminator.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cmdline/tokenizer.h"
#include "cmdline/tokenizer_reference.h"
#include "launch/launch.h"
#include "platform/fake_platform.h"

namespace {

void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "launch property violated: %s\n", property);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::size_t tail_size = strnlen(reinterpret_cast<const char*>(data), size);
  const std::unique_ptr<char[]> tail(new char[tail_size + 1]);
  std::memcpy(tail.get(), data, tail_size);
  tail[tail_size] = '\0';

  const std::vector<std::string> tokens = hibiopen::reference::tokens(tail.get());
  const std::size_t n = tokens.size();
  if (n < 2) {
    return 0;  // The launch runs only for a selector and a pattern at least.
  }
  const std::string& selector = tokens.front();
  const std::string& pattern = tokens.back();
  std::string target = pattern;
  const std::size_t star = pattern.find('*');
  if (star != std::string::npos) {
    // The selector's own bytes stand in for a key of its length.
    target = pattern.substr(0, star) + selector + pattern.substr(star + 1);
  }

  std::string file = target;
  std::string parameters;
  if (n >= 3) {
    file = tokens[1];
    for (std::size_t i = 2; i + 1 < n; ++i) {
      parameters += tokens[i] + ' ';
    }
    parameters += target;
  }

  hibiopen::fake::reset();
  const std::unique_ptr<char[]> target_text(new char[target.size() + 1]);
  std::memcpy(target_text.get(), target.c_str(), target.size() + 1);
  const std::unique_ptr<char[]> application(new char[tail_size + 1]);
  const std::unique_ptr<char[]> parameter_text(new char[tail_size + 1]);
  hibiopen::launch_target(hibiopen::count_tokens(tail.get()), tail.get(), target_text.get(),
                          hibiopen::LaunchTexts{application.get(), parameter_text.get()});

  const hibiopen::fake::State& state = hibiopen::fake::state();
  check(state.launches.size() == 1, "one request");
  const hibiopen::fake::ShellCall& call = state.launches[0];
  check(call.owner == nullptr && call.verb == "OPEN" && call.directory.empty() && call.show == 5,
        "no owner, verb OPEN, empty directory, SW_SHOW");
  check(call.file == file, "the file is the target for two tokens, else token 2");
  check(call.parameters == parameters,
        "the parameters are tokens 3 to n - 1, each followed by a space, then the target");
  check(parameters.size() <= tail_size, "the parameter text fits the tail's size");
  check(state.messages.empty(), "the launch shows no message");
  return 0;
}
