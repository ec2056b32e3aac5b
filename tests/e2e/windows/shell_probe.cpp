// A helper of the setup program's test, run under the same Wine prefix, that
// asks the Windows shell what the test cannot read from the Unix side:
//   shell_probe folders         prints the folders the setup program may
//                               write to, one "NAME=PATH" line each: the
//                               user's Profile, LocalAppData, Programs (the
//                               Start menu's) and Documents, and the
//                               machine's ProgramFiles
//   shell_probe shortcut FILE   prints the fields of the shortcut FILE, one
//                               "NAME=VALUE" line each: Target, Arguments,
//                               WorkingFolder and Icon ("PATH,INDEX")
// The text is UTF-8 with line feeds.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

namespace {

void PrintLine(const char* name, const std::wstring& value) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), bytes.data(), size,
                      nullptr, nullptr);
  std::printf("%s=%s\n", name, bytes.c_str());
}

int Fail(const char* what, HRESULT result) {
  std::fprintf(stderr, "shell_probe: %s failed (0x%08lx)\n", what,
               static_cast<unsigned long>(result));
  return 1;
}

int PrintFolders() {
  const struct {
    const char* name;
    const KNOWNFOLDERID& id;
  } folders[] = {{"Profile", FOLDERID_Profile},
                 {"LocalAppData", FOLDERID_LocalAppData},
                 {"Programs", FOLDERID_Programs},
                 {"Documents", FOLDERID_Documents},
                 {"ProgramFiles", FOLDERID_ProgramFiles}};
  for (const auto& folder : folders) {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder.id, 0, nullptr, &path);
    if (FAILED(result)) return Fail(folder.name, result);
    PrintLine(folder.name, path);
    CoTaskMemFree(path);
  }
  return 0;
}

// Reads the link as the shell does when the user opens it, without resolving
// it: the fields as stored.
int PrintShortcut(const wchar_t* file) {
  IShellLinkW* link = nullptr;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(&link));
  if (FAILED(result)) return Fail("CoCreateInstance(ShellLink)", result);
  IPersistFile* persist = nullptr;
  result = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  if (SUCCEEDED(result)) result = persist->Load(file, STGM_READ);
  if (persist != nullptr) persist->Release();
  if (FAILED(result)) {
    link->Release();
    return Fail("loading the shortcut", result);
  }
  wchar_t text[MAX_PATH * 2] = {};
  int icon = 0;
  link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
  PrintLine("Target", text);
  text[0] = L'\0';
  link->GetArguments(text, MAX_PATH * 2);
  PrintLine("Arguments", text);
  text[0] = L'\0';
  link->GetWorkingDirectory(text, MAX_PATH * 2);
  PrintLine("WorkingFolder", text);
  text[0] = L'\0';
  link->GetIconLocation(text, MAX_PATH * 2, &icon);
  PrintLine("Icon", std::wstring(text) + L"," + std::to_wstring(icon));
  link->Release();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);  // line feeds, not CR LF
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  const std::wstring mode = argc >= 2 ? argv[1] : L"";
  int status = 2;
  if (mode == L"folders" && argc == 2) {
    status = PrintFolders();
  } else if (mode == L"shortcut" && argc == 3) {
    status = PrintShortcut(argv[2]);
  } else {
    std::fprintf(stderr, "usage: shell_probe folders | shortcut FILE\n");
  }
  CoUninitialize();
  return status;
}
