#include "platform/process_start.h"

#include <fcntl.h>
#include <cstdlib>
#include <io.h>
#include <stdio.h>
#include <windows.h>
// CommandLineToArgvW
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace {

UINT console_code_page = 0;

// The console is the user's: its code page is given back when the program ends.
void restore_console_code_page() { SetConsoleOutputCP(console_code_page); }

}  // namespace

std::vector<std::string> program_arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(utf8_of(wide[i]));
  LocalFree(wide);
  return args;
}

void prepare_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  // The program prints UTF-8: a console shown in another code page would turn "Città" into
  // "CittÃ ". Redirected output is not a console and keeps its bytes either way.
  console_code_page = GetConsoleOutputCP();
  if (console_code_page != 0 && console_code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
    std::atexit(restore_console_code_page);
}
