#include "platform/win32/win32_message_boxes.h"

#include "common/program_name.h"
#include "platform/win32/win32_text.h"

namespace quillet {

void Win32MessageBoxes::ShowError(const std::string& message) {
  MessageBoxW(owner_.Get(), WideFromUtf8(message).c_str(), Wide(kProgramName).c_str(),
              MB_OK | MB_ICONWARNING);
}

void Win32MessageBoxes::ShowInformation(const std::u16string& title, const std::u16string& text) {
  MessageBoxW(owner_.Get(), Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONINFORMATION);
}

bool Win32MessageBoxes::AskYesNo(const std::string& question) {
  return MessageBoxW(owner_.Get(), WideFromUtf8(question).c_str(), Wide(kProgramName).c_str(),
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace quillet
