#include "platform/fake_platform.h"

#include <filesystem>
#include <system_error>

namespace hibiopen {
namespace fake {

State& state() {
  static State current;
  return current;
}

void reset() {
  state() = State();
}

}  // namespace fake

namespace platform {

const LeadBytes& lead_bytes() {
  static const LeadBytes kNone{};
  return fake::state().shift_jis ? cp932_lead_bytes() : kNone;
}

bool local_today(CivilDate* today) {
  fake::State& state = fake::state();
  ++state.clock_reads;
  if (!state.clock_works) {
    return false;
  }
  *today = state.today;
  return true;
}

FileStatus find_entry(const char* path) {
  fake::State& state = fake::state();
  state.queried.emplace_back(path);
  const auto answer = state.answers.find(path);
  if (answer != state.answers.end()) {
    return answer->second;
  }
  if (!state.real_file_system) {
    return FileStatus::NotFound;
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
  return std::filesystem::exists(status) ? FileStatus::Found : FileStatus::NotFound;
}

void show_message_box(const char* text, const char* caption, unsigned style) {
  fake::state().messages.push_back({text, caption, style});
}

void shell_open(const ShellRequest& request) {
  fake::state().launches.push_back({request.owner, request.verb, request.file, request.parameters,
                                    request.directory, request.show});
}

}  // namespace platform
}  // namespace hibiopen
