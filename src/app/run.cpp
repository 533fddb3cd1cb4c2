#include "app/run.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "app/messages.h"
#include "cmdline/tokenizer.h"
#include "datefile/resolve.h"
#include "launch/launch.h"

namespace hibiopen {
namespace {

// The run's working texts. Each has room for the whole command tail and a
// terminator, which holds any token, the target (the pattern less its '*'
// plus a key as long as the selector, both tokens of the tail) and the
// parameter text.
enum Text {
  kCommandCopy,
  kSelector,
  kPattern,
  kKey,
  kTarget,
  kTestPath,
  kApplication,
  kParameters,
  kTextCount
};

}  // namespace

int run(const char* tail) {
  const std::size_t capacity = std::strlen(tail) + 1;
  char* block = capacity <= SIZE_MAX / kTextCount
                    ? static_cast<char*>(std::malloc(capacity * kTextCount))
                    : nullptr;
  if (block == nullptr) {
    return 0;  // Without room for its texts the run can do nothing.
  }
  char* texts[kTextCount];
  for (int i = 0; i < kTextCount; ++i) {
    texts[i] = block + capacity * static_cast<std::size_t>(i);
    texts[i][0] = '\0';
  }
  std::memcpy(texts[kCommandCopy], tail, capacity);

  const int count = count_tokens(texts[kCommandCopy]);
  if (count == 0) {
    show_message(Message::About);
  } else if (count == 1) {
    show_message(Message::CommandLineShort);
  } else {
    extract_token(texts[kSelector], 1, texts[kCommandCopy]);
    extract_token(texts[kPattern], count, texts[kCommandCopy]);
    const Resolution resolution =
        resolve_target(texts[kSelector], texts[kPattern],
                       ResolveTexts{texts[kKey], texts[kTarget], texts[kTestPath]});
    if (resolution != Resolution::Stop) {
      // Without a placeholder the pattern itself is the file to open.
      const char* target = resolution == Resolution::Found ? texts[kTarget] : texts[kPattern];
      launch_target(count, texts[kCommandCopy], target,
                    LaunchTexts{texts[kApplication], texts[kParameters]});
    }
  }
  std::free(block);
  return 0;
}

}  // namespace hibiopen
