#include "platform/child_process.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace {

// One word of a command line as the C runtime's parser reads it back: quoted, with the
// backslashes before a quote (or the closing one) doubled.
std::wstring quoted(const std::wstring& word) {
  std::wstring q = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(2 * backslashes, L'\\');
  return q + L"\"";
}

}  // namespace

child_process::child_process(const std::string& program, const std::vector<std::string>& args) {
  const std::wstring path = wide_of(program);
  std::wstring line = quoted(path);
  for (const std::string& a : args) line += L" " + quoted(wide_of(a));
  SECURITY_ATTRIBUTES inherited{static_cast<DWORD>(sizeof(SECURITY_ATTRIBUTES)), nullptr, TRUE};
  HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               &inherited, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = static_cast<DWORD>(sizeof startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = nowhere;
  startup.hStdError = nowhere;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    handle_ = process.hProcess;
    id_ = process.dwProcessId;
  }
  if (nowhere != INVALID_HANDLE_VALUE) CloseHandle(nowhere);
}

child_process::~child_process() {
  if (started() && !waited_) {
    end_at_once();
    wait();
  }
  if (handle_) CloseHandle(handle_);
}

child_end child_process::wait() {
  if (!started() || waited_) return end_;
  WaitForSingleObject(handle_, INFINITE);
  DWORD code = 0;
  if (GetExitCodeProcess(handle_, &code)) end_.status = static_cast<int>(code);
  waited_ = true;
  return end_;
}

void child_process::end_at_once() {
  if (started() && !waited_) TerminateProcess(handle_, 1);
}
