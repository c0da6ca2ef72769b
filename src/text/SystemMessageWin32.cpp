#include "text/SystemMessage.h"

#include <windows.h>

#include "text/Utf16.h"

namespace text {

std::string SystemErrorMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string message;
  if (length > 0 && buffer) message.assign(reinterpret_cast<const char16_t*>(buffer), length);
  if (buffer) LocalFree(buffer);
  while (!message.empty() && (message.back() == u'\r' || message.back() == u'\n' || message.back() == u' ' ||
                              message.back() == u'.')) {
    message.pop_back();
  }
  if (message.empty()) return "System error " + std::to_string(code);
  return ToUtf8(message);
}

}  // namespace text
