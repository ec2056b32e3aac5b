#include "about/program_file_query.h"

namespace quillet {

std::u16string WindowsProgramPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  // A drive root such as "C:\" comes with its separator already.
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += name;
  path += u".EXE";
  return path;
}

}  // namespace quillet
