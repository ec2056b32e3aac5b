// A ProgramStarter double: records every file opened and answers with a scripted Status.
#pragma once

#include <filesystem>
#include <utility>
#include <vector>

#include "labellist/label_list.h"

namespace quillet::testing {

class FakeProgramStarter : public ProgramStarter {
 public:
  // An editor like Notepad when true, like a desktop's default application when false.
  explicit FakeProgramStarter(bool editor_creates_missing_files = false)
      : ProgramStarter(editor_creates_missing_files) {}

  // What every later call answers; success until told otherwise.
  void AnswerWith(Status answer) { answer_ = std::move(answer); }

  Status OpenInTextEditor(const std::filesystem::path& file) override {
    opened_.push_back(file);
    return answer_;
  }

  const std::vector<std::filesystem::path>& opened() const { return opened_; }

 private:
  Status answer_ = Status::Ok();
  std::vector<std::filesystem::path> opened_;
};

}  // namespace quillet::testing
