#include "launch/launch.h"

#include <cstring>

#include "cmdline/tokenizer.h"
#include "platform/platform.h"

namespace hibiopen {

void launch_target(int token_count, const char* tail, const char* target,
                   const LaunchTexts& texts) {
  const char* file = target;
  const char* parameters = "";
  if (token_count >= 3) {
    // Token 1 is the selector and the last token the pattern; the ones in
    // between are the application and its extra arguments.
    char* out = texts.parameters;
    TokenSpan token;
    for (int i = 1; i < token_count && next_token(&tail, &token); ++i) {
      if (i == 2) {
        std::memcpy(texts.application, token.begin, token.size);
        texts.application[token.size] = '\0';
      } else if (i >= 3) {
        std::memcpy(out, token.begin, token.size);
        out += token.size;
        *out++ = ' ';
      }
    }
    std::strcpy(out, target);
    file = texts.application;
    parameters = texts.parameters;
  }
  const platform::ShellRequest request = {
      nullptr, "OPEN", file, parameters, "", platform::kShowNormal,
  };
  platform::shell_open(request);
}

}  // namespace hibiopen
