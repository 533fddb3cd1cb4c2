// The five messages of the program: Japanese texts and captions as code page
// 932 bytes, with the style of the box that shows them.
#pragma once

namespace hibiopen {

enum class Message { About, CommandLineShort, BadSelector, NotFound, SearchError };

struct MessageEntry {
  const char* text;
  const char* caption;
  unsigned style;
};

const MessageEntry& message_entry(Message message);

// Shows the message as a modal box and returns when it has been dismissed.
void show_message(Message message);

}  // namespace hibiopen
