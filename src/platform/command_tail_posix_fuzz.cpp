// Fuzz target for the Linux entry and exit of the command line: the input,
// split at its NUL bytes, is the argument vector Linux hands over. Joined into
// a command tail, arguments without a double quote must split back into
// themselves (an empty one or one with a space as one quoted token); and the
// argument vector built for a launched program from any tail must hold exactly
// its tokens, each without its double quotes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cmdline/tokenizer.h"
#include "cmdline/tokenizer_reference.h"
#include "platform/posix.h"

namespace {

void check(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "command line property violated: %s\n", property);
    std::abort();
  }
}

std::string without_quotes(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c != '"') {
      out += c;
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The arguments, each an exact heap copy.
  std::vector<std::string> args;
  const char* const text = reinterpret_cast<const char*>(data);
  for (std::size_t start = 0; start <= size && args.size() < 256;) {
    const std::size_t length = strnlen(text + start, size - start);
    args.emplace_back(text + start, length);
    start += length + 1;
  }
  std::vector<char*> argv;
  bool any_quote = false;
  for (const std::string& arg : args) {
    char* copy = static_cast<char*>(std::malloc(arg.size() + 1));
    std::memcpy(copy, arg.c_str(), arg.size() + 1);
    argv.push_back(copy);
    any_quote = any_quote || arg.find('"') != std::string::npos;
  }

  char* tail =
      hibiopen::platform::posix::join_arguments(static_cast<int>(argv.size()), argv.data());
  check(tail != nullptr, "the arguments are joined");
  const std::vector<std::string> tokens = hibiopen::reference::tokens(tail);
  if (!any_quote) {
    check(tokens.size() == args.size(), "each argument without a quote is one token");
    for (std::size_t i = 0; i < args.size(); ++i) {
      const bool wrapped = args[i].empty() || args[i].find(' ') != std::string::npos;
      check(tokens[i] == (wrapped ? '"' + args[i] + '"' : args[i]),
            "a token is its argument, quoted when empty or holding a space");
    }
  }

  // The argument vector of a launched program, from the tail as parameters.
  std::size_t count = 0;
  char** launched = hibiopen::platform::posix::make_argv("program", tail, &count);
  check(launched != nullptr, "the argument vector is built");
  check(count == tokens.size() + 1 && launched[count] == nullptr,
        "the program's name, one argument per token, and the terminating null");
  check(std::strcmp(launched[0], "program") == 0, "the program's name comes first");
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    check(launched[i + 1] == without_quotes(tokens[i]), "each token without its quotes");
  }
  std::free(launched);
  std::free(tail);
  for (char* copy : argv) {
    std::free(copy);
  }
  return 0;
}
