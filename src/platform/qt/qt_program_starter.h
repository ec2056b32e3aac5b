// Starting the text editor and other programs through Qt, without waiting for them.
#pragma once

#include "labellist/label_list.h"

namespace quillet {

class QtProgramStarter : public ProgramStarter {
 public:
  Status StartDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;
  // The desktop's handler first, then xdg-open, which the desktop may lack.
  Status OpenWithDefaultApplication(const std::filesystem::path& file) override;
};

}  // namespace quillet
